import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;

// Enhanced for over arrays and Iterables: nested, labelled, with break and
// continue, over fields, calls and map views, and a loop variable assigned
// in the body.
public class ForEachLoops {
    private final List<String> names = new ArrayList<>();
    private static final int[] PRIMES = {2, 3, 5, 7, 11};

    static int sum(int[] values) {
        int total = 0;
        for (int v : values) total += v;
        return total;
    }

    static long grid(long[][] rows) {
        long total = 0;
        outer:
        for (long[] row : rows) {
            for (long v : row) {
                if (v < 0) continue outer;
                if (v > 100) break outer;
                total += v;
            }
        }
        return total;
    }

    static String words(List<String> list) {
        StringBuilder b = new StringBuilder();
        for (String s : list) {
            if (s.isEmpty()) continue;
            s = s.toUpperCase();
            b.append(s).append(' ');
        }
        return b.toString();
    }

    static <T extends Number> double total(Iterable<T> numbers) {
        double d = 0;
        for (T n : numbers) d += n.doubleValue();
        return d;
    }

    static String entries(Map<String, Integer> map) {
        String out = "";
        for (Map.Entry<String, Integer> e : map.entrySet()) out += e.getKey() + "=" + e.getValue() + ";";
        for (String k : map.keySet()) out += k;
        for (Integer v : map.values()) out += v;
        return out;
    }

    int fieldLoop() {
        int n = 0;
        for (String s : names) n += s.length();
        for (int p : PRIMES) n += p;
        for (Object o : Arrays.asList("a", "b")) n += o.hashCode();
        for (char c : "xyz".toCharArray()) n += c;
        for (String s : new String[0]) n += s.length();
        return n;
    }

    static int raw(List list) {
        int n = 0;
        for (Object o : list) n += o.hashCode() % 7;
        return n;
    }

    public static void main(String[] args) {
        System.out.println(sum(new int[] {1, 2, 3}));
        System.out.println(grid(new long[][] {{1, 2}, {-1, 50}, {3, 200, 4}, {9}}));
        System.out.println(words(Arrays.asList("a", "", "bc")));
        System.out.println(total(Arrays.asList(1, 2.5, 3L)));
        Map<String, Integer> m = new TreeMap<>();
        m.put("x", 1);
        m.put("y", 2);
        System.out.println(entries(m));
        ForEachLoops f = new ForEachLoops();
        f.names.add("hello");
        System.out.println(f.fieldLoop());
        System.out.println(raw(Arrays.asList("q", "r")));
    }
}
