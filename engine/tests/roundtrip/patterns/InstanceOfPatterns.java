// release: 16
import java.util.ArrayList;
import java.util.Collection;
import java.util.List;
import java.util.function.Supplier;

public class InstanceOfPatterns {
    static String s = "field";
    int count;

    static Object pick(int i) {
        switch (i % 5) {
        case 0: return "text " + i;
        case 1: return Integer.valueOf(i);
        case 2: return new ArrayList<>(List.of(i, i + 1));
        case 3: return new StringBuilder("sb").append(i);
        default: return null;
        }
    }

    static int guarded(Object o) {
        if (o instanceof String s) return s.length();
        return -1;
    }

    static int earlyExit(Object o) {
        if (!(o instanceof Integer n)) {
            System.out.println("not an integer: " + o);
            return -1;
        }
        int doubled = n * 2;
        System.out.println("doubled " + doubled);
        return doubled + n;
    }

    static String chain(Object o, int limit) {
        if (o instanceof String str && str.length() > limit && !str.isEmpty()) {
            return "long " + str;
        } else if (o instanceof Integer i && i > limit) {
            return "big " + i;
        } else {
            return "other " + s;
        }
    }

    static String orChain(Object o) {
        if (!(o instanceof CharSequence cs) || cs.length() == 0) return "no";
        return "cs " + cs.charAt(0);
    }

    static String fieldNamedLikePattern(Object o) {
        // the pattern variable must not capture the field's name
        if (o instanceof String text && s.length() > 0) return text + "/" + s;
        return s;
    }

    static int loop(Object o) {
        int steps = 0;
        while (o instanceof Integer n && n > 0) {
            o = n - 3;
            steps++;
        }
        return steps;
    }

    static int skipping(Object[] all) {
        int total = 0;
        for (Object o : all) {
            if (!(o instanceof String str)) continue;
            total += str.length();
            if (!(o instanceof CharSequence cs) || cs.length() > 6) {
                System.out.println("skip " + o);
                continue;
            }
            total += cs.charAt(0);
        }
        return total;
    }

    static int ternary(Object o) {
        return o instanceof List<?> list ? list.size() : o instanceof String str ? str.length() : 0;
    }

    static int generic(Collection<Integer> c) {
        if (c instanceof List<Integer> list && !list.isEmpty()) return list.get(0);
        return c.size();
    }

    static String captured(Object o) {
        if (o instanceof StringBuilder sb) {
            Supplier<String> later = () -> sb.toString().toUpperCase();
            return later.get();
        }
        return "-";
    }

    int instance(Object o) {
        if (o instanceof Integer n) count += n;
        else if (o instanceof String str) count += str.length();
        return count;
    }

    static String notPattern(Object o) {
        // a cast written by hand after the test, as older code has it
        if (o instanceof Number) {
            Number n = (Number) o;
            return "number " + n.intValue();
        }
        Object other = o;
        if (other instanceof String) {
            CharSequence chars = (String) other;
            return "chars " + chars.length();
        }
        return "none";
    }

    public static void main(String[] args) {
        InstanceOfPatterns p = new InstanceOfPatterns();
        for (int i = 0; i < 10; ++i) {
            Object o = pick(i);
            System.out.println(guarded(o) + " " + earlyExit(o) + " " + chain(o, 3) + " " + orChain(o));
            System.out.println(fieldNamedLikePattern(o) + " " + loop(o) + " " + ternary(o) + " " + captured(o));
            System.out.println(p.instance(o) + " " + notPattern(o));
        }
        System.out.println(skipping(new Object[] {"a", 1, "abcdefgh", null, "xyz"}));
        System.out.println(generic(List.of(7, 8)) + " " + generic(new java.util.HashSet<>(List.of(1))));
    }
}
