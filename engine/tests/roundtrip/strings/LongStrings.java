// Long string literals, which the -l option splits into pieces joined with
// +; the pieces must still be one constant (usable in a switch case).
public class LongStrings {
    static final String LONG = "The quick brown fox jumps over the lazy dog while the decompiler splits this very long literal into pieces joined by plus signs, keeping every character intact.";
    static final String ESCAPED = "tab\tquote\"backslash\\newline\n0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789";

    static int classify(String s) {
        switch (s) {
        case "short":
            return 1;
        case "a rather long case label that goes past eighty characters when the printer splits literals":
            return 2;
        default:
            return 0;
        }
    }

    public static void main(String[] args) {
        System.out.println(LONG.length() + " " + LONG.hashCode());
        System.out.println(LONG);
        System.out.println(ESCAPED.length() + " " + ESCAPED.hashCode());
        String local = "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx";
        System.out.println(local.length() + " " + local.substring(140));
        String nonAscii = "äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€äöü€";
        System.out.println(nonAscii.length() + " " + nonAscii.hashCode());
        System.out.println(classify("short") + " " + classify("a rather long case label that goes past eighty characters when the printer splits literals") + " " + classify("x"));
        String built = "prefix " + local + " middle " + LONG.length() + " and a tail that is long enough to be split as well by the printer";
        System.out.println(built.length() + " " + built.substring(0, 12) + built.substring(built.length() - 10));
        System.out.println(LONG == ("The quick brown fox jumps over the lazy dog while the decompiler splits this very long literal into pieces joined by plus signs, keeping every character intact.") ? "interned" : "different");
    }
}
