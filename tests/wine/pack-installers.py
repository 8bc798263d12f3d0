#!/usr/bin/env python3
# What the Wine tests install, made where Linux programs run: the example
# script (CR LF), four Palm OS databases, "packed setup.exe" that vantrel-pack
# builds from them (each database compressed), "stored setup.exe" built with
# --store (each raw, as -a appends it), "signed setup.exe", the packed one
# signed with a throwaway certificate, whose signature must verify, and
# "damaged setup.exe", the packed one whose sampletools.prc record states one
# byte more than it decodes to, with no checksum record to give it away.
#   pack-installers.py <vantrel-pack> <vantrel.exe> <folder>
import pathlib
import struct
import subprocess
import sys

# Record name, header name, resource database.
DATABASES = [("sampletools.prc", "Sample Tools", True), ("samplehelp.pdb", "SampleHelp", False),
             ("samplethemes.pdb", "Themes: Sample Tools", True), ("sharedlib.prc", "SharedLib", True)]
pack, stub, folder = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
folder.mkdir(parents=True, exist_ok=True)
script = (pathlib.Path(__file__).parent / "example-install.ini").read_bytes()
(folder / "Install.ini").write_bytes(script.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"))
for seed, (record, name, resource) in enumerate(DATABASES, 1):
    # A 78-byte header (name, attributes, type and creator), then many byte
    # values, CR LF and Ctrl-Z among them, so that a text-mode copy would show.
    (folder / record).write_bytes(name.encode().ljust(32, b"\0") + bytes([0, resource]) + bytes(26)
                                  + (b"appl" if resource else b"DATA") + b"Vtst" + bytes(10)
                                  + bytes((i * 7 + seed) % 256 for i in range(300)) + b"\r\n\x1a end")
# osslsigncode writes no output over an existing file.
(folder / "signed setup.exe").unlink(missing_ok=True)
for command in [
        [pack, "build", "-o", "packed setup.exe", "--stub", stub] + [record for record, _, _ in DATABASES],
        [pack, "build", "--store", "-o", "stored setup.exe", "--stub", stub] + [record for record, _, _ in DATABASES],
        ["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "key.pem", "-out", "cert.pem",
         "-subj", "/CN=Vantrel test", "-days", "1"],
        ["osslsigncode", "sign", "-certs", "cert.pem", "-key", "key.pem", "-in", "packed setup.exe",
         "-out", "signed setup.exe"],
        ["osslsigncode", "verify", "-CAfile", "cert.pem", "-in", "signed setup.exe"]]:
    subprocess.run(command, cwd=folder, check=True, stdout=subprocess.DEVNULL)

# The last record is the checksum record: its record length field and tag
# end the file. Cut it off, then raise the original size that the
# compressed record's header states.
packed = bytearray((folder / "packed setup.exe").read_bytes())
checksum_length = struct.unpack_from("<I", packed, len(packed) - 8)[0]
damaged = packed[:len(packed) - checksum_length - 8]
name = b"vantrel\\lzma\\sampletools.prc\0"
size_field = damaged.rindex(name) - 4
data_start = size_field - struct.unpack_from("<I", damaged, size_field)[0]
struct.pack_into("<I", damaged, data_start, struct.unpack_from("<I", damaged, data_start)[0] + 1)
(folder / "damaged setup.exe").write_bytes(damaged)
