// try blocks inside switch cases and switches inside try and finally.
public class SwitchAndTry {
    static String convert(int kind, String value) {
        switch (kind) {
        case 0:
            try {
                return "int " + Integer.parseInt(value);
            } catch (NumberFormatException e) {
                return "not an int";
            }
        case 1:
            try {
                return "double " + Double.parseDouble(value);
            } catch (NumberFormatException e) {
                // fall through to the default text
            }
        default:
            return "text " + value.length();
        }
    }

    static int guarded(String op, int a, int b) {
        int result = 0;
        try {
            switch (op) {
            case "div":
                result = a / b;
                break;
            case "mod":
                result = a % b;
                break;
            default:
                throw new IllegalArgumentException(op);
            }
        } catch (ArithmeticException e) {
            result = Integer.MIN_VALUE;
        } finally {
            switch (result & 3) {
            case 0:
                result += 1000;
                break;
            case 3:
                result -= 1000;
                break;
            }
        }
        return result;
    }

    public static void main(String[] args) {
        System.out.println(convert(0, "42") + ", " + convert(0, "x") + ", " + convert(1, "2.5") + ", " + convert(1, "y")
                + ", " + convert(2, "abc"));
        String[] ops = { "div", "mod", "div" };
        int[] bs = { 3, 4, 0 };
        for (int i = 0; i < ops.length; i++)
            System.out.print(guarded(ops[i], 23, bs[i]) + " ");
        System.out.println();
        try {
            guarded("pow", 2, 3);
        } catch (IllegalArgumentException e) {
            System.out.println("bad op " + e.getMessage());
        }
    }
}
