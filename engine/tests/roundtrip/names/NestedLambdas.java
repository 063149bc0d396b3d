// Lambdas nested in lambdas and capturing locals and parameters: their
// parameters must not hide what the inner bodies still read.
import java.util.ArrayList;
import java.util.List;
import java.util.function.BiFunction;
import java.util.function.Function;
import java.util.function.IntFunction;
import java.util.function.IntUnaryOperator;
import java.util.function.Supplier;

public class NestedLambdas {
    interface Tri {
        int apply(int a, int b, int c);
    }

    int field = 7;

    int viaField(int x) {
        IntUnaryOperator f = y -> y + x * field;
        return f.applyAsInt(2);
    }

    static String strings(String s) {
        Function<String, Function<String, String>> f = a -> b -> a + "-" + b + "-" + s;
        return f.apply("p").apply("q");
    }

    public static void main(String[] args) {
        IntFunction<IntFunction<IntUnaryOperator>> f = x -> y -> z -> x * 100 + y * 10 + z;
        System.out.println(f.apply(1).apply(2).applyAsInt(3));
        int i = 4;
        int j = 5;
        IntFunction<IntUnaryOperator> g = a -> b -> a * i + b * j;
        System.out.println(g.apply(2).applyAsInt(3));
        BiFunction<Integer, Integer, Supplier<Integer>> h = (a, b) -> () -> a - b;
        System.out.println(h.apply(9, 4).get());
        Tri t = (a, b, c) -> {
            IntUnaryOperator inner = d -> d * a + b - c;
            return inner.applyAsInt(a + b + c);
        };
        System.out.println(t.apply(1, 2, 3));
        System.out.println(new NestedLambdas().viaField(3));
        System.out.println(strings("s"));
        List<Supplier<String>> list = new ArrayList<>();
        for (int k = 0; k < 3; k++) {
            final int n = k;
            list.add(() -> {
                Function<Integer, String> fmt = m -> n + ":" + m;
                return fmt.apply(n * n);
            });
        }
        StringBuilder sb = new StringBuilder();
        for (Supplier<String> s : list) sb.append(s.get()).append(' ');
        System.out.println(sb);
        Runnable r = new Runnable() {
            public void run() {
                int q = i * 3;
                IntUnaryOperator op = w -> w + q + j;
                System.out.println(op.applyAsInt(1));
            }
        };
        r.run();
    }
}
