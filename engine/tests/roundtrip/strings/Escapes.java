// String and char literals with escapes, control characters, quotes and
// backslashes; lengths and code points show what the literal held.
public class Escapes {
    static void show(String label, String s) {
        StringBuilder codes = new StringBuilder();
        for (int i = 0; i < s.length(); i++) {
            if (i > 0)
                codes.append(',');
            codes.append((int) s.charAt(i));
        }
        System.out.println(label + " len=" + s.length() + " [" + codes + "]");
    }

    public static void main(String[] args) {
        show("tab", "a\tb");
        show("newline", "line1\nline2\r\n");
        show("quotes", "say \"hi\" and 'bye'");
        show("backslash", "C:\\dir\\file");
        show("controls", "\b\f\0\1\7\33\177");
        show("octal", "\101\102\60\377\12");
        show("unicode", "\u00e9\u20ac\u4e2d\uffff");
        show("nul", "\u0000x\u0000");
        show("mixed", "a\\tb\\\"c");
        char[] cs = { '\'', '"', '\\', '\n', '\t', '\0', '\177', '\u00ff', '\u0100', '\u2603', 'A' };
        StringBuilder sb = new StringBuilder();
        for (char c : cs) {
            sb.append((int) c).append(' ');
        }
        System.out.println(sb.toString().trim());
        String comment = "/* not a comment */ // nor this";
        System.out.println(comment.length() + " " + comment.indexOf("//"));
        String endStars = "**/";
        System.out.println(endStars + endStars.length());
        System.out.println("\\u0041 stays six chars: " + "\\u0041".length());
        char c = '\r';
        System.out.println((int) c + " " + (c == 13));
        String empty = "";
        System.out.println("[" + empty + "]" + empty.isEmpty());
    }
}
