// switch on String, including colliding hash codes ("Aa"/"BB"),
// fall-through and a default.
public class StringSwitch {
    static int eval(String op, int a, int b) {
        switch (op) {
        case "+":
            return a + b;
        case "-":
            return a - b;
        case "*":
            return a * b;
        case "/":
            return b == 0 ? 0 : a / b;
        default:
            return -1;
        }
    }

    static String hashes(String s) {
        String out;
        switch (s) {
        case "Aa":
            out = "first";
            break;
        case "BB":
            out = "second";
            break;
        case "AaAa":
        case "BBBB":
            out = "long";
            break;
        default:
            out = "none";
        }
        return out;
    }

    static String plural(String word) {
        String r = word;
        switch (word) {
        case "child":
            r = "children";
            break;
        case "mouse":
            r = "mice";
            break;
        case "sheep":
            break;
        case "box":
            r += "e";
        default:
            r += "s";
        }
        return r;
    }

    public static void main(String[] args) {
        String[] ops = { "+", "-", "*", "/", "%" };
        for (String op : ops) {
            System.out.print(eval(op, 17, 5) + " ");
        }
        System.out.println();
        String[] keys = { "Aa", "BB", "AaAa", "BBBB", "AaBB", "" };
        for (int i = 0; i < keys.length; i++) {
            System.out.println("'" + keys[i] + "' " + hashes(keys[i]));
        }
        String[] words = { "child", "mouse", "sheep", "box", "cat" };
        StringBuilder sb = new StringBuilder();
        for (String w : words) {
            sb.append(plural(w)).append(',');
        }
        System.out.println(sb);
        String mode = "fast";
        int level;
        switch (mode) {
        case "slow":
            level = 1;
            break;
        case "fast":
            level = 3;
            break;
        default:
            level = 2;
        }
        System.out.println("level " + level);
    }
}
