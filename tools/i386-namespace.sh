#!/bin/sh
# Runs a command where i386 Linux programs run through qemu-user, for a kernel
# that cannot run 32-bit code itself: a private user and mount namespace with
# its own binfmt_misc, so nothing machine-wide changes. Everything the command
# starts (Wine's loader, its server, every Windows program) stays inside.
#   tools/i386-namespace.sh COMMAND [ARGUMENT]...
set -eu
if [ -n "${VANTREL_I386_NAMESPACE:-}" ]; then
    exec "$@"
fi
export VANTREL_I386_NAMESPACE=1
exec unshare --user --map-root-user --mount /bin/sh -eu -c '
    # binfmt_misc stays mounted for the life of the namespace: unmounting it
    # would drop the rule.
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
    # The i386 ELF executable and shared-object header, as qemu registers it;
    # F opens qemu now, so the rule works whatever the command mounts later.
    printf "%s" ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:/usr/bin/qemu-i386:F" \
        >/proc/sys/fs/binfmt_misc/register
    exec "$@"' i386-namespace "$@"
