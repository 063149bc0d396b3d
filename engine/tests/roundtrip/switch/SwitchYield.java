// release: 17
// Switch expressions with labels and yield: fall-through between labels,
// yields inside loops and try, values read after others the switch must not
// overtake, char values, switch expressions as call arguments.
public class SwitchYield {
    static int n;
    static int fall(int k) {
        int x = 1;
        return switch (k) {
            case 1:
                x += 10;
            case 2:
                x *= 3;
                yield x;
            case 3: {
                int y = x + 5;
                yield y;
            }
            default:
                yield -1;
        };
    }
    static int bump() { return ++n; }
    static int order(int k) {
        int m = n;
        int r = n + switch (k) { case 1 -> bump(); default -> { n += 5; yield 0; } };
        return r * 100 + m;
    }
    static String loops(int k) {
        String s = switch (k) {
            case 0 -> {
                StringBuilder sb = new StringBuilder();
                for (int i = 0; i < 3; i++) {
                    if (i == 1) continue;
                    sb.append(i);
                }
                yield sb.toString();
            }
            case 1 -> {
                int i = 0;
                while (true) { if (++i > 4) break; }
                yield "w" + i;
            }
            case 2 -> {
                try { yield String.valueOf(Integer.parseInt("x" + k)); }
                catch (NumberFormatException e) { yield "nfe"; }
            }
            default -> "d";
        };
        return s + (k > 1 ? switch (k) { case 2 -> "two"; default -> "many"; } : "few");
    }
    static char ch(int k) { return switch (k) { case 1 -> 'a'; case 2 -> 66; default -> (char) (k + 60); }; }
    public static void main(String[] a) {
        for (int k = 0; k < 5; k++) {
            System.out.println(fall(k) + " " + order(k) + " " + loops(k) + " " + ch(k));
            System.out.println(ch(k));
            System.out.println(switch (k) { case 1 -> 'x'; default -> 'y'; });
            System.out.println(switch (k) { case 1 -> 1; default -> 'y'; });
        }
    }
}
