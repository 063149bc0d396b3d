import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.concurrent.Callable;
import java.util.function.BiFunction;
import java.util.function.Function;
import java.util.function.IntBinaryOperator;
import java.util.function.IntFunction;
import java.util.function.Supplier;
import java.util.function.ToIntFunction;
import java.util.function.UnaryOperator;

// Lambdas and method references of every kind: plain, capturing, reading
// `this`, nested, each kind of reference, a generic interface of our own,
// and overloads that differ only in the functional interface they take.
public class LambdaForms {
    interface Pair<A, B> {
        B map(A a, int times);
    }

    private final String name;

    LambdaForms(String name) {
        this.name = name;
    }

    String greet(String who) {
        return name + " greets " + who;
    }

    static String shout(String s) {
        return s.toUpperCase() + "!";
    }

    static String shout(Object o) {
        return "object " + o;
    }

    static int count = 0;

    static int bump() {
        return ++count;
    }

    // Overloads a lambda's shape or its cast chooses between.
    static String run(Runnable r) {
        r.run();
        return "runnable";
    }

    static String run(Callable<Integer> c) throws Exception {
        return "callable " + c.call();
    }

    static String apply(Function<String, Integer> f) {
        return "function " + f.apply("abcd");
    }

    static String apply(ToIntFunction<String> f) {
        return "toInt " + f.applyAsInt("abcd");
    }

    static <A, B> List<B> each(List<A> in, Pair<A, B> p) {
        List<B> out = new ArrayList<>();
        for (int i = 0; i < in.size(); i++) out.add(p.map(in.get(i), i + 1));
        return out;
    }

    Supplier<String> self() {
        return () -> greet("self") + " " + name.length();
    }

    Function<String, String> bound() {
        return this::greet;
    }

    public static void main(String[] args) throws Exception {
        Runnable plain = () -> System.out.println("plain");
        plain.run();
        int base = 10;
        String tag = "t";
        IntBinaryOperator add = (a, b) -> a + b + base;
        System.out.println(add.applyAsInt(1, 2));
        Function<String, String> suffix = s -> s + tag + base;
        System.out.println(suffix.apply("x"));
        LambdaForms f = new LambdaForms("ann");
        System.out.println(f.self().get());
        System.out.println(f.bound().apply("bob"));
        Function<Integer, Function<Integer, Integer>> curried = a -> b -> a * b + base;
        System.out.println(curried.apply(3).apply(4));
        BiFunction<String, Integer, String> rep = (s, n) -> {
            StringBuilder sb = new StringBuilder();
            for (int i = 0; i < n; i++) sb.append(s);
            return sb.toString();
        };
        System.out.println(rep.apply("ab", 3));
        // method references: static, bound, unbound, constructor, array constructor
        Function<String, String> st = LambdaForms::shout;
        Function<Object, String> so = LambdaForms::shout;
        System.out.println(st.apply("hi") + " " + so.apply("hi"));
        Function<String, String> greeter = f::greet;
        System.out.println(greeter.apply("carl"));
        Function<String, Integer> len = String::length;
        System.out.println(len.apply("four"));
        Function<String, StringBuilder> make = StringBuilder::new;
        System.out.println(make.apply("built").reverse());
        Supplier<List<String>> list = ArrayList::new;
        List<String> l = list.get();
        l.add("z");
        System.out.println(l);
        IntFunction<String[]> arrays = String[]::new;
        System.out.println(arrays.apply(3).length);
        UnaryOperator<String> trim = String::trim;
        System.out.println("[" + trim.apply("  sp  ") + "]");
        // a bound receiver is evaluated once, where the reference is made
        Supplier<Integer> once = Integer.valueOf(bump())::intValue;
        System.out.println(once.get() + " " + once.get() + " " + count);
        // overloads
        System.out.println(run(() -> System.out.println("ran")));
        System.out.println(run(() -> bump()));
        System.out.println(run((Runnable) () -> bump()));
        System.out.println(run(LambdaForms::bump));
        System.out.println(run((Runnable) LambdaForms::bump));
        System.out.println(apply((Function<String, Integer>) s -> s.length()));
        System.out.println(apply((ToIntFunction<String>) s -> s.length() * 2));
        System.out.println(apply((String s) -> s.length() + 1));
        // a generic interface of our own, its type arguments inferred
        List<String> words = each(Arrays.asList("a", "b"), (w, n) -> w + n);
        System.out.println(words);
        System.out.println(each(words, (w, n) -> w.length() * n));
        Callable<String> nested = () -> {
            Function<String, String> inner = s -> {
                Supplier<String> deepest = () -> s + tag + s;
                return deepest.get();
            };
            return inner.apply("n");
        };
        System.out.println(nested.call());
        String[] sorted = {"pear", "fig", "apple"};
        Arrays.sort(sorted, (a, b) -> a.length() - b.length());
        System.out.println(Arrays.toString(sorted));
    }
}
