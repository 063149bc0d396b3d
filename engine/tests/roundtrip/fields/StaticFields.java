// Static fields: constants inlined by javac, non-constant static finals set in
// the static initializer, and mutable statics updated from methods.
public class StaticFields {
    public static final int LIMIT = 10;
    public static final String GREETING = "hello";
    static final long BIG = 1L << 50;
    static final double RATIO = 1.0 / 3;
    static final char SEP = '|';
    static final boolean DEBUG = false;
    static final Integer BOXED = 77;
    static final String COMPUTED = GREETING.toUpperCase() + LIMIT;
    static final int[] TABLE;
    private static int counter;
    protected static String last;
    static long created = System.nanoTime() > 0 ? 1 : 0;

    static {
        TABLE = new int[LIMIT];
        for (int i = 0; i < TABLE.length; i++) {
            TABLE[i] = i * i;
        }
        counter = TABLE[3];
    }

    static int bump() {
        last = "bump" + counter;
        return ++counter;
    }

    public static void main(String[] args) {
        System.out.println(LIMIT + " " + GREETING + " " + BIG + " " + RATIO + " " + SEP + " " + DEBUG + " " + BOXED);
        System.out.println(COMPUTED + " " + TABLE[LIMIT - 1] + " " + counter + " " + created);
        System.out.println(bump() + " " + bump() + " " + last);
        StaticFields.counter = 100;
        StaticFields.last = null;
        System.out.println(counter + " " + last + " " + StaticFields.TABLE.length);
        if (DEBUG) {
            System.out.println("debug");
        }
        int local = LIMIT * 2 + SEP;
        System.out.println(local);
    }
}
