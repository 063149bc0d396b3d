"""The tree gen.py keeps a program in, so that a reducer can delete
statements and members and print the rest again."""


class Block:
    """A list of statements or members, rendered one indent deeper."""

    def __init__(self, items=None):
        self.items = list(items or [])


class Node:
    """A statement or member: strings (lines) and nested Blocks, in order.
    group ties nodes that must go away together (a unit and its call)."""

    def __init__(self, *parts, group=None, removable=True):
        self.parts = list(parts)
        self.group = group
        self.removable = removable


def render(node, indent=0, out=None, skip=frozenset()):
    """The node's lines; nodes whose id is in skip are left out."""
    if out is None:
        out = []
    for part in node.parts:
        if isinstance(part, Block):
            for item in part.items:
                if id(item) not in skip:
                    render(item, indent + 1, out, skip)
        else:
            for line in part.split("\n"):
                out.append(("    " * indent + line) if line else "")
    return out


def program_text(root, skip=frozenset()):
    return "\n".join(render(root, skip=skip)) + "\n"


def walk(node):
    """Every node below node (itself included), parents first."""
    yield node
    for part in node.parts:
        if isinstance(part, Block):
            for item in part.items:
                yield from walk(item)


class Var:
    def __init__(self, name, type, final=False, assignable=True, dims=0):
        self.name = name
        self.type = type        # element type for arrays
        self.final = final      # may be captured
        self.assignable = assignable
        self.dims = dims
