#!/bin/sh
# Stand-in for the decompiler engine in the viewer's tests and benchmark: the
# "class file" already holds the Java text, which is written out behind a
# header comment, as the engine would. The file's name steers it:
# "engine-fails" fails with a reason on standard error, "engine-sleeps" takes
# ten seconds first, "engine-writes-nothing" ends well without writing.
# Every run is logged in jad/runs.log, a run with -m also in jad/modern-runs.log.
# Given a .jar or .zip it writes each top-level class below -d<dir>, one
# folder a package, with the same names steering each class.
for path; do :; done
case "$path" in *.jar|*.zip)
  echo "$path" >> jad/archive-runs.log
  exec python3 - "$@" <<'ARCHIVE'
import os, sys, time, zipfile
archive = sys.argv[-1]
out = next((a[2:] for a in sys.argv[1:-1] if a.startswith("-d")), ".")
status = 0
with zipfile.ZipFile(archive) as z:
    for entry in z.namelist():
        base = os.path.basename(entry)
        if not base.endswith(".class") or "$" in base or ".." in entry.split("/"):
            continue
        if "engine-sleeps" in base:
            time.sleep(10)
        if "engine-fails" in base:
            sys.stderr.write("%s!/%s: fake engine: cannot read %s\n" % (archive, entry, base))
            status = 1
            continue
        target = os.path.join(out, entry[:-len(".class")] + ".java")
        os.makedirs(os.path.dirname(target) or ".", exist_ok=True)
        with open(target, "wb") as f:
            f.write(b"// Decompiled for a test.\r\n\r\n" + z.read(entry))
sys.exit(status)
ARCHIVE
  ;;
esac
name=$(basename "$path")
case "$name" in *engine-fails*) echo "fake engine: cannot read $name" >&2; exit 1 ;; esac
mkdir -p jad/tmp
echo "$path" >> jad/runs.log
for option; do [ "$option" = -m ] && echo "$path" >> jad/modern-runs.log; done
case "$name" in *engine-sleeps*) sleep 10 ;; esac
case "$name" in *engine-writes-nothing*) exit 0 ;; esac
{ printf '// Decompiled for a test.\r\n\r\n'; cat "$path"; } > "jad/tmp/${name%.*}.java"
