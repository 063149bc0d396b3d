// release: 11
// dialect: modern
// Private and private static interface methods.
public class PrivateInterfaceMethods {
    interface Formatter {
        String raw(int value);

        default String format(int value) { return wrap(raw(value)); }

        private String wrap(String text) { return "[" + text + "]"; }

        static String pad(int value) { return padded(Integer.toString(value)); }

        private static String padded(String text) { return text.length() < 3 ? padded("0" + text) : text; }
    }

    public static void main(String[] args) {
        Formatter f = new Formatter() {
            public String raw(int value) { return Formatter.pad(value); }
        };
        System.out.println(f.format(7));
        System.out.println(f.format(1234));
    }
}
