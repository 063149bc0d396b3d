// finally bodies that may throw on their own: when they do not, control
// leaves the finally and goes on after the try.
public class FinallyThatThrows {
    static short a = 1, b = 2;

    static void check(boolean z) {
        try {
            System.out.println("body " + z);
        } finally {
            if ((a >= b) ? (692 >= 2.5e-3) : Double.isInfinite(-962.75)) {
                throw new IllegalStateException("-1");
            }
        }
    }

    static int value(boolean z) {
        try {
            if (z) return 5;
            System.out.println("value");
        } finally {
            if (a >= b || b > 10) {
                throw new IllegalStateException("-2");
            }
        }
        return 7;
    }

    public static void main(String[] args) {
        check(false);
        System.out.println(value(false) + value(true));
        b = 0;
        try {
            check(true);
        } catch (IllegalStateException e) {
            System.out.println("thrown " + e.getMessage());
        }
        try {
            System.out.println(value(true));
        } catch (IllegalStateException e) {
            System.out.println("thrown " + e.getMessage());
        }
    }
}
