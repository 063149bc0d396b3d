import java.util.ArrayList;
import java.util.List;

// checkcast and instanceof on classes, interfaces and arrays; boxing and
// unboxing conversions through casts.
public class ReferenceCasts {
    static String describe(Object o) {
        if (o instanceof String)
            return "String:" + ((String) o).length();
        if (o instanceof Integer)
            return "Integer:" + ((Integer) o + 1);
        if (o instanceof Number)
            return "Number:" + ((Number) o).doubleValue();
        if (o instanceof CharSequence)
            return "CharSequence:" + ((CharSequence) o).charAt(0);
        if (o instanceof int[])
            return "int[]:" + ((int[]) o).length;
        if (o instanceof Object[])
            return "Object[]:" + ((Object[]) o).length;
        if (o instanceof Comparable)
            return "Comparable";
        return o == null ? "null" : "Object";
    }

    @SuppressWarnings({ "unchecked", "rawtypes" })
    public static void main(String[] args) {
        Object[] things = { "hello", Integer.valueOf(41), Double.valueOf(2.5), new StringBuilder("sb"), new int[3],
                new String[2], Boolean.TRUE, null, new Object[0], new Object() };
        for (int i = 0; i < things.length; i++) {
            System.out.println(i + " " + describe(things[i]));
        }
        List list = new ArrayList();
        list.add("a");
        list.add(Integer.valueOf(2));
        String first = (String) list.get(0);
        int second = (Integer) list.get(1);
        System.out.println(first + second);
        try {
            String wrong = (String) list.get(1);
            System.out.println(wrong);
        } catch (ClassCastException e) {
            System.out.println("cce");
        }
        Object o = list;
        if (o instanceof List && !(o instanceof String)) {
            System.out.println("list of " + ((List) o).size());
        }
        Integer boxed = 300;
        long widened = boxed;
        Object autoboxed = 'c';
        Character ch = (Character) autoboxed;
        double unboxed = (Double) things[2] * 2;
        System.out.println(widened + " " + ch + " " + unboxed + " " + (autoboxed instanceof Character));
        Object arr = new String[] { "x", "y" };
        Object[] asObjects = (Object[]) arr;
        String[] asStrings = (String[]) asObjects;
        CharSequence cs = asStrings[1];
        System.out.println(asObjects.length + asStrings[0] + cs.length() + (arr instanceof Object[]));
        Number n = (Number) (Object) Integer.valueOf(12);
        Comparable c = (Comparable) n;
        System.out.println(n.intValue() + " " + c.compareTo(Integer.valueOf(13)));
        Object nil = null;
        String s = (String) nil;
        System.out.println(s + " " + (nil instanceof String));
    }
}
