// release: 21
// dialect: modern
// Enum constants beside patterns: enumSwitch with type patterns of the
// enum's interface, qualified constants of several enums in one switch,
// guards on an enum binding and case null.
public class EnumPatternSwitches {
    sealed interface Op permits Basic, Extra {}
    enum Basic implements Op { ADD, SUB }
    enum Extra implements Op { MUL, DIV }
    enum Color { RED, GREEN, BLUE }

    static String name(Op op) {
        return switch (op) {
            case Basic.ADD -> "+";
            case Basic.SUB -> "-";
            case Extra.MUL -> "*";
            case Extra e -> "extra " + e.ordinal();
        };
    }

    static int weight(Color c) {
        switch (c) {
            case RED:
                return 1;
            case Color x when x.ordinal() > 1:
                return 10 + x.ordinal();
            case null:
                return -1;
            default:
                return 5;
        }
    }

    static String describe(Object o) {
        return switch (o) {
            case Color c when c == Color.GREEN -> "green";
            case Color c -> "color " + c.name().toLowerCase();
            case Basic b -> "basic " + b;
            case null, default -> "?";
        };
    }

    public static void main(String[] args) {
        for (Op op : new Op[] {Basic.ADD, Basic.SUB, Extra.MUL, Extra.DIV}) System.out.print(name(op) + " ");
        System.out.println();
        System.out.println(weight(Color.RED) + " " + weight(Color.GREEN) + " " + weight(Color.BLUE) + " " + weight(null));
        System.out.println(describe(Color.GREEN) + describe(Color.BLUE) + describe(Basic.SUB) + describe(3) + describe(null));
    }
}
