import java.util.function.IntUnaryOperator;

// Labeled blocks inside a lambda written inside labeled blocks, and a switch
// expression's labels inside a labeled block: one label name may not stand
// for two statements where one holds the other, even across a lambda's body.
public class NestedLabels {
    static int flag;

    static int outer(int n) {
        int result;
        found: {
            for (int i = 0; i < n; i++) {
                IntUnaryOperator op = x -> {
                    int r;
                    pick: {
                        for (int j = 0; j < x; j++) {
                            if (j * j > x) {
                                r = j;
                                break pick;
                            }
                        }
                        r = -x;
                    }
                    inner: {
                        if (r > 2) break inner;
                        r += 100;
                    }
                    return r;
                };
                if (op.applyAsInt(i + flag) > 3) {
                    result = i;
                    break found;
                }
            }
            result = -1;
        }
        return result;
    }

    public static void main(String[] args) {
        for (int n = 0; n < 12; n += 3) System.out.println(outer(n));
        flag = 5;
        System.out.println(outer(4));
    }
}
