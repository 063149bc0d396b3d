import java.util.function.IntSupplier;

// Locals declared without a value and assigned once later, in a loop's body
// or a branch: effectively final, so anonymous classes and lambdas capture them.
public class BlankFinalCaptures {
    static int counter = 3;

    static int sum(int rounds) {
        int total = 0;
        for (int i = 0; i < rounds; i++) {
            short picked;
            if (i % 2 == 0) {
                total += i;
            }
            picked = (short) (counter-- * 7);
            IntSupplier later = new IntSupplier() {
                public int getAsInt() {
                    return picked + 1;
                }
            };
            IntSupplier lambda = () -> picked * 2;
            total += later.getAsInt() + lambda.getAsInt();
        }
        return total;
    }

    static String label(boolean wide) {
        final String text;
        if (wide) {
            text = "wide:" + counter;
        } else {
            text = "narrow";
        }
        StringBuilder out = new StringBuilder();
        Runnable r = () -> out.append(text.length());
        r.run();
        return out.toString();
    }

    // Assigned in a try block the value outlives: declared before it.
    static int early(int limit) {
        int result = 0;
        for (int i = 0; i < limit; i++) {
            int v;
            try {
                v = Integer.parseInt("1" + i) * counter;
            } catch (NumberFormatException e) {
                throw new IllegalStateException(e);
            }
            IntSupplier s = new IntSupplier() {
                public int getAsInt() {
                    return v - 1;
                }
            };
            IntSupplier t = () -> v * 3;
            result += s.getAsInt() + t.getAsInt();
        }
        return result;
    }

    public static void main(String[] args) {
        System.out.println(early(3));
        System.out.println(sum(4));
        System.out.println(label(true) + label(false));
    }
}
