// release: 17
// dialect: modern
// Switch expressions and arrow-form switch statements: values carried past
// the switch on the operand stack, yield from blocks, throws, multi-labels,
// selectors of int, String and enum type.
public class SwitchExpressions {
    enum Color { RED, GREEN, BLUE, BLACK }

    static int arrows(int k) {
        int v = switch (k) {
            case 1, 2 -> 10;
            case 3 -> 30;
            case 7 -> {
                int t = k * 3;
                yield t + 1;
            }
            default -> -k;
        };
        return v;
    }

    static String colons(int k) {
        return switch (k) {
            case 0:
                yield "zero";
            case 1:
            case 2:
                String s = "small" + k;
                yield s;
            default:
                yield "big";
        };
    }

    static String onString(String s) {
        return switch (s) {
            case "a", "b" -> "ab";
            case "Aa", "BB" -> "collide";
            default -> s.toUpperCase();
        };
    }

    static int onEnum(Color c) {
        return switch (c) {
            case RED -> 1;
            case GREEN, BLUE -> 2;
            case BLACK -> throw new IllegalStateException("black");
        };
    }

    static String inArgument(int a, int k) {
        return String.valueOf(a + switch (k) { case 1 -> 100; case 2 -> 200; default -> 0; }) + "/" + k;
    }

    static boolean asCondition(int k) {
        if (switch (k) { case 1, 3, 5 -> true; default -> false; }) {
            return true;
        }
        return k > 100;
    }

    static long longValued(int k) {
        long x = 5L * switch (k) { case 1 -> 2L; case 2 -> { long y = k; yield y * 7; } default -> 1L; };
        return x;
    }

    static String statements(int k) {
        StringBuilder sb = new StringBuilder();
        switch (k) {
            case 1 -> sb.append("one");
            case 2, 3 -> {
                sb.append("two");
                sb.append("three");
            }
            case 4 -> throw new IllegalArgumentException("four");
            default -> sb.append("other");
        }
        return sb.toString();
    }

    static int nested(int a, int b) {
        return switch (a) {
            case 0 -> switch (b) { case 0 -> 1; default -> 2; };
            default -> {
                int r = 0;
                for (int i = 0; i < b; i++) r += i;
                yield r;
            }
        };
    }

    static String enumStatement(Color c) {
        String r = "";
        switch (c) {
            case RED -> r = "r";
            case BLUE -> r = "b";
            default -> { }
        }
        return r;
    }

    public static void main(String[] args) {
        for (int k = 0; k < 9; k++) {
            System.out.println(arrows(k) + " " + colons(k) + " " + inArgument(k, k) + " " + asCondition(k) + " "
                    + longValued(k) + " " + nested(k % 2, k));
            try {
                System.out.println(statements(k));
            } catch (IllegalArgumentException e) {
                System.out.println("caught " + e.getMessage());
            }
        }
        for (String s : new String[] {"a", "b", "Aa", "BB", "x"}) System.out.println(onString(s));
        for (Color c : Color.values()) {
            try {
                System.out.println(onEnum(c) + enumStatement(c));
            } catch (IllegalStateException e) {
                System.out.println("caught " + e.getMessage());
            }
        }
    }
}
