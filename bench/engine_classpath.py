"""The jars a jar under test was compiled against, as far as the system has
them: the classes its class files name (annotation types above all) that it
does not hold itself, looked up in the Debian jar directory.

javac reads the annotations of the library methods a compiled class
overrides or bridges to; where an annotation's class file is missing it
stops with an internal error instead of a diagnostic, so a recompile check
without them fails classes that are fine."""

import os
import re
import struct
import zipfile

JAR_DIR = "/usr/share/java"
# A class named in a descriptor: "Ljavax/annotation/CheckForNull;".
NAMED = re.compile(r"L([A-Za-z_$][\w$]*(?:/[A-Za-z_$][\w$]*)+);")
# Bytes after the tag of each constant pool entry but Utf8; Long and Double take two slots.
SIZES = {3: 4, 4: 4, 5: 8, 6: 8, 7: 2, 8: 2, 9: 4, 10: 4, 11: 4, 12: 4, 15: 3, 16: 2, 17: 4, 18: 4, 19: 2, 20: 2}


def utf8_constants(data):
    """The Utf8 strings of a class file's constant pool; what a malformed
    pool leaves unread is skipped."""
    out = []
    try:
        count = struct.unpack_from(">H", data, 8)[0]
        pos, i = 10, 1
        while i < count:
            tag = data[pos]
            if tag == 1:
                n = struct.unpack_from(">H", data, pos + 1)[0]
                out.append(data[pos + 3:pos + 3 + n].decode("utf-8", "replace"))
                pos += 3 + n
            elif tag in SIZES:
                pos += 1 + SIZES[tag]
                i += tag in (5, 6)
            else:
                break
            i += 1
    except (struct.error, IndexError):
        pass
    return out


def named_classes(class_bytes):
    """The internal names the class file's descriptors mention."""
    return {m.group(1) for text in utf8_constants(class_bytes) for m in NAMED.finditer(text)}


def missing_classes(classdir, entries):
    """Classes the jar's class files name that it does not hold; the
    platform's own packages are left out."""
    held = {e[:-6] for e in entries}
    named = set()
    for entry in entries:
        with open(os.path.join(classdir, entry), "rb") as f:
            named |= named_classes(f.read())
    return {n for n in named - held if not n.startswith(("java/", "javax/lang/", "jdk/", "sun/"))}


def providers(missing, jar, jar_dir=JAR_DIR):
    """The jars of `jar_dir` holding any of `missing`, one per distinct file,
    in name order; `jar` itself is never one."""
    if not missing or not os.path.isdir(jar_dir):
        return []
    own = os.path.realpath(jar)
    seen = set()
    found = []
    wanted = {n + ".class" for n in missing}
    for name in sorted(os.listdir(jar_dir)):
        path = os.path.join(jar_dir, name)
        real = os.path.realpath(path)
        if not name.endswith(".jar") or real == own or real in seen:
            continue
        seen.add(real)
        try:
            with zipfile.ZipFile(path) as z:
                holds = wanted.intersection(z.namelist())
        except (OSError, zipfile.BadZipFile):
            continue
        if holds:
            found.append(path)
            wanted -= holds
        if not wanted:
            break
    return found


def compile_classpath(jar, classdir, entries, jar_dir=JAR_DIR):
    """The jar, then the jars that provide what it names and lacks."""
    return os.pathsep.join([jar] + providers(missing_classes(classdir, entries), jar, jar_dir))
