// Code inside an anonymous class that uses the members of an enclosing
// anonymous instance, which has no name for `C.this`: lambdas, nested
// anonymous classes (their parameters named apart from the captured locals
// around them, also without debug names) and increments through the
// outer-instance field.
import java.util.function.IntSupplier;
import java.util.function.IntUnaryOperator;

public class AnonymousInstanceMembers {
    interface Op {
        int ap(int x);
    }

    int base = 3;

    int run(int p) {
        Op outer = new Op() {
            int count = 10;

            int twice(int v) {
                return 2 * v;
            }

            public int ap(int q) {
                IntSupplier s = () -> count + twice(q) + base + p;
                IntUnaryOperator f = x -> y(x) + count++;
                Op inner = new Op() {
                    int own = 1;

                    public int ap(int r) {
                        count++;
                        count += r;
                        own += count;
                        return own + q + p + twice(r) + base;
                    }
                };
                return s.getAsInt() * 7 + f.applyAsInt(q) + inner.ap(q + 1) + inner.ap(p);
            }

            int y(int x) {
                return x * 5 + count;
            }
        };
        return outer.ap(p) * 31 + outer.ap(p + 2);
    }

    public static void main(String[] args) {
        AnonymousInstanceMembers m = new AnonymousInstanceMembers();
        for (int i = -2; i < 3; i++) System.out.println(i + " " + m.run(i));
    }
}
