// A small state machine: switch inside loops with break, continue and
// labelled exits.
public class SwitchInLoop {
    static int parse(String s) {
        int state = 0;
        int value = 0;
        int sign = 1;
        loop:
        for (int i = 0; i < s.length(); i++) {
            char c = s.charAt(i);
            switch (state) {
            case 0:
                if (c == ' ')
                    continue;
                if (c == '-') {
                    sign = -1;
                    state = 1;
                    break;
                }
                state = 1;
            case 1:
                if (c >= '0' && c <= '9') {
                    value = value * 10 + (c - '0');
                    break;
                }
                state = 2;
            case 2:
                break loop;
            default:
                throw new IllegalStateException();
            }
        }
        return sign * value;
    }

    static String tokens(String s) {
        StringBuilder out = new StringBuilder();
        int i = 0;
        while (i < s.length()) {
            char c = s.charAt(i++);
            switch (c) {
            case '(':
            case ')':
                out.append('P');
                break;
            case '+':
            case '-':
            case '*':
                out.append('O');
                continue;
            case ' ':
                continue;
            default:
                if (Character.isDigit(c)) {
                    out.append('D');
                    while (i < s.length() && Character.isDigit(s.charAt(i)))
                        i++;
                } else {
                    out.append('?');
                }
            }
            out.append('.');
        }
        return out.toString();
    }

    public static void main(String[] args) {
        System.out.println(parse("  42abc") + " " + parse("-17") + " " + parse("7-3") + " " + parse(""));
        System.out.println(tokens("(12 + 3) * x - 45"));
    }
}
