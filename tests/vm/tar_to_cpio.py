#!/usr/bin/env python3
"""Writes a cpio archive (newc, as the kernel unpacks an initramfs) from a tar
of a root file system and from folders of the host, without unpacking anything
and without root: owners and modes come from the tar; host files are root's.

Usage: tar_to_cpio.py OUT.cpio [--tar ROOTFS.tar] [ARCHIVE_PATH=HOST_PATH ...]
"""
import os
import stat
import sys
import tarfile

class Writer:
    def __init__(self, out):
        self.out = out
        self.ino = 1

    def entry(self, name, mode, data=b"", uid=0, gid=0, mtime=0, rdev=(0, 0)):
        name = name.lstrip("./").lstrip("/") or "."
        encoded = name.encode() + b"\0"
        fields = [self.ino, mode, uid, gid, 1, int(mtime), len(data), 0, 0, rdev[0], rdev[1], len(encoded), 0]
        self.ino += 1
        header = b"070701" + b"".join(b"%08X" % f for f in fields)
        self.out.write(header + encoded)
        self.out.write(b"\0" * (-(len(header) + len(encoded)) % 4))
        self.out.write(data)
        self.out.write(b"\0" * (-len(data) % 4))

    def trailer(self):
        self.entry("TRAILER!!!", 0)

def from_tar(w, path):
    with tarfile.open(path) as tar:
        for m in tar:
            if m.name in (".", "./"):
                continue
            perm = m.mode & 0o7777
            if m.isdir():
                w.entry(m.name, stat.S_IFDIR | perm, uid=m.uid, gid=m.gid, mtime=m.mtime)
            elif m.issym():
                w.entry(m.name, stat.S_IFLNK | 0o777, m.linkname.encode(), m.uid, m.gid, m.mtime)
            elif m.isfile() or m.islnk():  # a hard link becomes a copy
                w.entry(m.name, stat.S_IFREG | perm, tar.extractfile(m).read(), m.uid, m.gid, m.mtime)
            # device nodes are left out: the guest mounts devtmpfs

def from_host(w, archive_path, host_path):
    if os.path.isdir(host_path):
        w.entry(archive_path, stat.S_IFDIR | 0o755)
        for entry in sorted(os.listdir(host_path)):
            from_host(w, archive_path + "/" + entry, os.path.join(host_path, entry))
    else:
        st = os.stat(host_path)
        with open(host_path, "rb") as f:
            w.entry(archive_path, stat.S_IFREG | (st.st_mode & 0o777), f.read())

def main(argv):
    out_path, rest = argv[1], argv[2:]
    with open(out_path + ".part", "wb") as out:
        w = Writer(out)
        if rest[:1] == ["--tar"]:
            from_tar(w, rest[1])
            rest = rest[2:]
            w.entry("dev", stat.S_IFDIR | 0o755)
            w.entry("dev/console", stat.S_IFCHR | 0o600, rdev=(5, 1))  # the kernel opens it before /init runs
        for pair in rest:
            archive_path, host_path = pair.split("=", 1)
            from_host(w, archive_path, host_path)
        w.trailer()
    os.rename(out_path + ".part", out_path)

if __name__ == "__main__":
    main(sys.argv)
