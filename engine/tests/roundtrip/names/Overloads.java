// Calls whose overload depends on the static type of the arguments:
// widening, boxing, null, upcasts and varargs must select what the source
// selected.
public class Overloads {
    static String m(int x) { return "int"; }
    static String m(long x) { return "long"; }
    static String m(double x) { return "double"; }
    static String m(Object x) { return "Object"; }
    static String m(String x) { return "String"; }
    static String m(Integer x) { return "Integer"; }

    static String n(Object a, String b) { return "OS"; }
    static String n(String a, Object b) { return "SO"; }

    static String v(int... xs) { return "varargs" + xs.length; }
    static String v(int a, int b) { return "two"; }
    static String v(Object o) { return "obj"; }

    static String c(char x) { return "char"; }
    static String c(int x) { return "int"; }

    static String box(long x) { return "long"; }
    static String box(Integer x) { return "Integer"; }

    String inst(Object o) { return "iObject"; }
    String inst(CharSequence s) { return "iCharSequence"; }
    String inst(String s) { return "iString"; }

    static class Sub extends Overloads {
        String inst(Number n) { return "iNumber"; }

        String call(Integer i) {
            return inst(i) + inst((Object) i) + inst((Object) "s") + inst("s");
        }
    }

    static class Base {
        String pick(Object o) { return "bObject"; }
    }

    static class Derived extends Base {
        String pick(String s) { return "dString"; }
    }

    public static void main(String[] args) {
        Derived der = new Derived();
        System.out.println(((Base) der).pick("s") + der.pick("s") + der.pick((Object) "s"));
        int i = 3;
        long l = 4;
        short s = 1;
        byte b = 2;
        char ch = 'x';
        Integer boxed = 5;
        String str = "t";
        Object o = str;
        System.out.println(m(i) + m((long) i) + m(l) + m((double) l) + m(s) + m(b));
        System.out.println(m((Object) str) + m(str) + m(o) + m((Object) boxed) + m(boxed));
        System.out.println(m(ch) + m((int) ch) + m((Object) i) + m((Integer) i));
        System.out.println(m((String) null) + m((Object) null) + m((Integer) null));
        System.out.println(n("a", (Object) "b") + n((Object) "a", "b"));
        System.out.println(v(1, 2) + v(new int[] {1, 2}) + v(new int[] {1}) + v() + v((Object) new int[0]));
        System.out.println(c(ch) + c((int) ch) + c('a' + 1) + c((char) (ch + 1)));
        System.out.println(box(i) + box(boxed) + box((long) boxed));
        Overloads ov = new Overloads();
        System.out.println(ov.inst(str) + ov.inst((CharSequence) str) + ov.inst(o) + ov.inst((Object) str));
        System.out.println(new Sub().call(1));
        StringBuilder sb = new StringBuilder();
        char[] chars = {'h', 'i'};
        sb.append(chars).append((Object) "!").append(i).append((char) (i + 'a')).append((long) i);
        System.out.println(sb);
        System.out.println(String.valueOf((Object) null) + String.valueOf(ch) + String.valueOf((int) ch));
    }
}
