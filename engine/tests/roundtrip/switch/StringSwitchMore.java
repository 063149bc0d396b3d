// More switches on String: colliding hash codes with fall-through between
// the colliding labels, switches in loops and nested, a method call as the
// selector, a lone default, non-ASCII and empty labels.
public class StringSwitchMore {
    static int collide(String s) {
        int r = 0;
        switch (s) {
        case "Aa":
            r += 1;
        case "BB":
            r += 2;
            break;
        case "AaBB":
        case "BBAa":
        case "AaAa":
            r += 4;
        case "BBBB":
            r += 8;
            break;
        default:
            r = -1;
        }
        return r;
    }

    static String tokens(String[] words) {
        StringBuilder sb = new StringBuilder();
        for (int i = 0; i < words.length; i++) {
            switch (words[i].toLowerCase()) {
            case "skip":
                continue;
            case "end":
                return sb.toString();
            case "\u00e9t\u00e9":
                sb.append("summer");
                break;
            case "":
                sb.append("<empty>");
                break;
            default:
                switch (words[i]) {
                case "X":
                    sb.append("x!");
                    break;
                default:
                    sb.append(words[i]);
                }
            }
            sb.append(' ');
        }
        return sb.toString();
    }

    static int only(String s) {
        int n = 1;
        switch (s) {
        default:
            n = s.length();
        }
        return n;
    }

    public static void main(String[] args) {
        String[] keys = { "Aa", "BB", "AaBB", "BBAa", "AaAa", "BBBB", "Ab", "" };
        for (int i = 0; i < keys.length; i++) {
            System.out.println(keys[i] + " " + collide(keys[i]));
        }
        System.out.println(tokens(new String[] { "a", "SKIP", "X", "x", "\u00c9T\u00c9", "", "end", "after" }));
        System.out.println(only("four"));
    }
}
