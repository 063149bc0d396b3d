// A finally body that compiles to nothing (its code is dead), alone and
// around a try with catches that leave by return.
public class EmptyFinally {
    static final boolean DEBUG = false;
    static int k;

    static long nested(int start) {
        k = start;
        try {
            try {
                k++;
                k = 100 / (k - 1);
            } catch (IllegalStateException e) {
                k += 5;
                if (k > 0) {
                    return 3L;
                }
            } finally {
                if (DEBUG) {
                    k--;
                }
            }
            k += 2;
        } catch (ArithmeticException e) {
            return 7L;
        }
        return k;
    }

    static int alone(int x) {
        try {
            x *= 3;
        } finally {
            if (DEBUG) {
                x = 0;
            }
        }
        return x;
    }

    public static void main(String[] args) {
        for (int i = -1; i < 4; i++) {
            System.out.println(i + " " + nested(i) + " " + k + " " + alone(i));
        }
    }
}
