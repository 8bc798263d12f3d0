#!/usr/bin/env python3
# What the Wine tests install, made where Linux programs run: the example
# script (CR LF) and four Palm OS databases; "packed setup.exe", built by
# vantrel-pack from them; "signed setup.exe", the same signed with a
# throwaway self-signed certificate, whose signature must verify.
#   pack-installers.py <vantrel-pack> <vantrel.exe> <folder>
import pathlib
import subprocess
import sys

# Record name, header name, resource database. The header, not the record
# name, decides the installed file's name and extension.
DATABASES = [("sampletools.prc", "Sample Tools", True), ("samplehelp.pdb", "SampleHelp", False),
             ("samplethemes.pdb", "Themes: Sample Tools", True), ("sharedlib.prc", "SharedLib", True)]


def database(name, resource, seed):
    # A 78-byte header (name, attributes, type and creator), then many byte
    # values, CR LF and Ctrl-Z among them, so that a text-mode copy would show.
    header = (name.encode().ljust(32, b"\0") + bytes([0, resource]) + bytes(26)
              + (b"appl" if resource else b"DATA") + b"Vtst" + bytes(10))
    return header + bytes((i * 7 + seed) % 256 for i in range(300)) + b"\r\n\x1a end"


pack, stub, folder = sys.argv[1], sys.argv[2], pathlib.Path(sys.argv[3])
folder.mkdir(parents=True, exist_ok=True)
script = (pathlib.Path(__file__).parent / "example-install.ini").read_bytes()
(folder / "Install.ini").write_bytes(script.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n"))
for seed, (record, name, resource) in enumerate(DATABASES, 1):
    (folder / record).write_bytes(database(name, resource, seed))
# osslsigncode writes no output over an existing file.
(folder / "signed setup.exe").unlink(missing_ok=True)
for command in [
        [pack, "build", "-o", "packed setup.exe", "--stub", stub] + [record for record, _, _ in DATABASES],
        ["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", "key.pem", "-out", "cert.pem",
         "-subj", "/CN=Vantrel test", "-days", "1"],
        ["osslsigncode", "sign", "-certs", "cert.pem", "-key", "key.pem", "-in", "packed setup.exe",
         "-out", "signed setup.exe"],
        ["osslsigncode", "verify", "-CAfile", "cert.pem", "-in", "signed setup.exe"]]:
    subprocess.run(command, cwd=folder, check=True, stdout=subprocess.DEVNULL)
