"""A small class-file reader for the engine benchmarks.

Reads just what the benchmarks compare the engine's output against: access
flags, the members with their flags, the InnerClasses entries, whether the
class makes lambdas (a LambdaMetafactory bootstrap) and whether it is an enum
or a record. Independent of the engine on purpose: it is the reference.
"""

import struct

ACC_PUBLIC = 0x0001
ACC_STATIC = 0x0008
ACC_BRIDGE = 0x0040
ACC_INTERFACE = 0x0200
ACC_ABSTRACT = 0x0400
ACC_NATIVE = 0x0100
ACC_SYNTHETIC = 0x1000
ACC_ANNOTATION = 0x2000
ACC_ENUM = 0x4000


class ClassFormat(Exception):
    pass


class Member:
    __slots__ = ("flags", "name", "descriptor", "has_code")

    def __init__(self, flags, name, descriptor, has_code):
        self.flags = flags
        self.name = name
        self.descriptor = descriptor
        self.has_code = has_code

    @property
    def synthetic(self):
        return bool(self.flags & ACC_SYNTHETIC)

    @property
    def bridge(self):
        return bool(self.flags & ACC_BRIDGE)

    @property
    def params(self):
        return self.descriptor[:self.descriptor.index(")") + 1]


class InnerEntry:
    __slots__ = ("inner", "outer", "name", "flags")

    def __init__(self, inner, outer, name, flags):
        self.inner = inner
        self.outer = outer
        self.name = name
        self.flags = flags


class ClassInfo:
    def __init__(self):
        self.version = (0, 0)
        self.flags = 0
        self.this = ""
        self.super = None
        self.fields = []
        self.methods = []
        self.inner = []          # InnerClasses entries
        self.enclosing = None    # EnclosingMethod class, if any
        self.lambdas = 0         # invokedynamic call sites bootstrapped by LambdaMetafactory
        self.record = False
        self.signatures = 0      # Signature attributes of the class and its members
        self.referenced = set()  # names of the fields and methods the code refers to

    @property
    def is_enum(self):
        return bool(self.flags & ACC_ENUM) and self.super == "java/lang/Enum"

    @property
    def is_record(self):
        return self.record or self.super == "java/lang/Record"

    @property
    def simple_name(self):
        for e in self.inner:
            if e.inner == self.this and e.name:
                return e.name
        return self.this.rsplit("/", 1)[-1]

    def entry_for_self(self):
        for e in self.inner:
            if e.inner == self.this:
                return e
        return None

    @property
    def is_nested(self):
        return self.entry_for_self() is not None

    def member_classes(self):
        """Named classes declared directly in this one: member classes and
        local classes (which the engine prints as member classes)."""
        out = []
        for e in self.inner:
            if e.inner == self.this or not e.name:
                continue
            if e.outer == self.this:
                out.append(e)
        return out


def _utf8(data):
    # Modified UTF-8: good enough to decode as UTF-8 with surrogates allowed.
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("utf-8", "surrogateescape")


def parse(data):
    """Parses class-file bytes into a ClassInfo; raises ClassFormat."""
    try:
        return _parse(data)
    except (struct.error, IndexError, KeyError, ValueError) as e:
        raise ClassFormat(str(e))


def _parse(data):
    pos = 0

    def u1():
        nonlocal pos
        v = data[pos]
        pos += 1
        return v

    def u2():
        nonlocal pos
        v = struct.unpack_from(">H", data, pos)[0]
        pos += 2
        return v

    def u4():
        nonlocal pos
        v = struct.unpack_from(">I", data, pos)[0]
        pos += 4
        return v

    if u4() != 0xCAFEBABE:
        raise ClassFormat("bad magic")
    info = ClassInfo()
    minor = u2()
    major = u2()
    info.version = (major, minor)
    count = u2()
    pool = [None] * count
    i = 1
    while i < count:
        tag = u1()
        if tag == 1:
            n = u2()
            pool[i] = ("utf8", _utf8(bytes(data[pos:pos + n])))
            pos += n
        elif tag in (3, 4):
            pos += 4
            pool[i] = ("num",)
        elif tag in (5, 6):
            pos += 8
            pool[i] = ("wide",)
            i += 1
        elif tag in (7, 8, 16, 19, 20):
            pool[i] = (tag, u2())
        elif tag in (9, 10, 11, 12, 17, 18):
            pool[i] = (tag, u2(), u2())
        elif tag == 15:
            pool[i] = (tag, u1(), u2())
        else:
            raise ClassFormat("constant pool tag %d" % tag)
        i += 1

    def utf(idx):
        e = pool[idx]
        if not e or e[0] != "utf8":
            raise ClassFormat("not a Utf8 at %d" % idx)
        return e[1]

    def cls(idx):
        if idx == 0:
            return None
        e = pool[idx]
        if not e or e[0] != 7:
            raise ClassFormat("not a Class at %d" % idx)
        return utf(e[1])

    info.flags = u2()
    info.this = cls(u2())
    info.super = cls(u2())
    interfaces = u2()
    pos += 2 * interfaces

    def members():
        out = []
        for _ in range(u2()):
            flags = u2()
            name = utf(u2())
            desc = utf(u2())
            has_code = False
            for _ in range(u2()):
                aname = utf(u2())
                alen = u4()
                if aname == "Code":
                    has_code = True
                elif aname == "Signature":
                    info.signatures += 1
                pos_skip(alen)
            out.append(Member(flags, name, desc, has_code))
        return out

    def pos_skip(n):
        nonlocal pos
        pos += n
        if pos > len(data):
            raise ClassFormat("truncated")

    info.fields = members()
    info.methods = members()
    bootstraps = []
    for _ in range(u2()):
        aname = utf(u2())
        alen = u4()
        end = pos + alen
        if aname == "InnerClasses":
            for _ in range(u2()):
                inner, outer, name, flags = u2(), u2(), u2(), u2()
                info.inner.append(InnerEntry(cls(inner), cls(outer), utf(name) if name else None, flags))
        elif aname == "EnclosingMethod":
            info.enclosing = cls(u2())
        elif aname == "Record":
            info.record = True
        elif aname == "Signature":
            info.signatures += 1
        elif aname == "BootstrapMethods":
            for _ in range(u2()):
                ref = u2()
                n = u2()
                pos_skip(2 * n)
                bootstraps.append(ref)
        pos = end
    for ref in bootstraps:
        handle = pool[ref]
        if handle and handle[0] == 15:
            target = pool[handle[2]]
            if target and target[0] in (10, 11) and cls(target[1]) == "java/lang/invoke/LambdaMetafactory":
                info.lambdas += 1
    for entry in pool:
        if entry and entry[0] in (9, 10, 11):
            name_and_type = pool[entry[2]]
            if name_and_type and name_and_type[0] == 12:
                info.referenced.add(utf(name_and_type[1]))
    return info


def java_name(internal):
    return internal.replace("/", ".")
