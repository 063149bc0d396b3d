// A local class whose captured locals are read by anonymous classes nested
// inside it, one and two levels down.
public class LocalClassNestedCapture {
    interface Op {
        int apply(int x);
    }

    int base = 7;

    long run(final int seed) {
        final long wide = seed * 1000L;
        class Counter {
            long total = 1;

            long step(final int by) {
                Op op = new Op() {
                    public int apply(int x) {
                        Op inner = new Op() {
                            public int apply(int y) {
                                return y + seed + by + base;
                            }
                        };
                        return inner.apply(x) * 2 + (int) wide + seed;
                    }
                };
                total += op.apply(by) + seed;
                return total;
            }
        }
        Counter c = new Counter();
        c.step(1);
        return c.step(seed) + c.total;
    }

    static int twice(final int n) {
        class Doubler {
            int get() {
                return new Op() {
                    public int apply(int x) {
                        return x * 2 + n;
                    }
                }.apply(n);
            }
        }
        return new Doubler().get();
    }

    public static void main(String[] args) {
        LocalClassNestedCapture outer = new LocalClassNestedCapture();
        for (int i = -2; i < 3; i++) {
            System.out.println(i + " " + outer.run(i) + " " + twice(i));
        }
    }
}
