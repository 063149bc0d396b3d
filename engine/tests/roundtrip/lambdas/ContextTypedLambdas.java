import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;
import java.util.function.BiFunction;
import java.util.function.Consumer;
import java.util.function.Function;
import java.util.stream.Collectors;

// Lambdas passed where the call types their parameters: printed without a
// cast they must still pick the overloads their bodies picked, also where
// the source wrote a wider parameter type than the call would infer.
public class ContextTypedLambdas {
    static String pick(Object o) { return "Object:" + o; }
    static String pick(Number n) { return "Number:" + n; }
    static String pick(Integer i) { return "Integer:" + i; }
    static String pick(String s) { return "String:" + s; }

    static final List<String> RECORDED = new ArrayList<>();
    static void record(Object o) { RECORDED.add("Object:" + o); }
    static void record(Integer i) { RECORDED.add("Integer:" + i); }

    static <T> void each(List<? extends T> list, Consumer<T> action) {
        for (T t : list) action.accept(t);
    }

    static <T, R> List<R> mapAll(List<T> list, Function<? super T, ? extends R> f) {
        List<R> out = new ArrayList<>();
        for (T t : list) out.add(f.apply(t));
        return out;
    }

    public static void main(String[] args) {
        List<String> out = new ArrayList<>();
        List<String> words = Arrays.asList("b", "a", "c");
        List<Integer> ints = Arrays.asList(3, 1, 2);
        words.forEach(s -> out.add(pick(s)));
        ints.forEach(i -> out.add(pick(i)));
        ints.forEach((Number n) -> out.add(pick(n)));
        each(ints, (Number n) -> out.add(pick(n)));
        each(ints, (Object o) -> out.add(pick(o)));
        each(ints, i -> out.add(pick(i)));
        out.addAll(mapAll(ints, (Number n) -> pick(n)));
        out.addAll(mapAll(ints, i -> pick(i + 1)));
        Map<Object, Long> counts = new TreeMap<>();
        for (String w : words) counts.compute(w, (k, v) -> v == null ? 1L : v + 1);
        counts.forEach((k, v) -> out.add(pick(k) + "=" + pick(v)));
        Map<String, Integer> lengths = new HashMap<>();
        words.stream().filter(w -> !w.equals("c")).forEach(w -> lengths.merge(w, w.length(), Integer::sum));
        out.add(new TreeMap<>(lengths).toString());
        Map<String, String> lower = words.stream().collect(Collectors.toMap(w -> w.toUpperCase(), w -> pick(w)));
        out.add(new TreeMap<>(lower).toString());
        // A type argument the source gave: the class file keeps only its effect.
        ContextTypedLambdas.<Object>each(ints, ContextTypedLambdas::record);
        ContextTypedLambdas.<Object>each(ints, o -> record(o));
        each(ints, ContextTypedLambdas::record);
        ints.forEach(ContextTypedLambdas::record);
        out.addAll(RECORDED);
        BiFunction<Object, Object, String> both = (a, b) -> pick(a) + pick(b);
        out.add(both.apply(1, "x"));
        for (String line : out) System.out.println(line);
    }
}
