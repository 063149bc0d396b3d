import java.util.ArrayList;
import java.util.Collection;
import java.util.List;

// Static, virtual, interface and private (special) calls, calls on results of
// calls, and overload resolution that depends on argument types.
public class InvokeKinds implements Comparable<InvokeKinds>, Runnable {
    private final int weight;
    private static int runs;

    public InvokeKinds(int weight) {
        this.weight = weight;
    }

    public int compareTo(InvokeKinds o) {
        return Integer.compare(weight, o.weight);
    }

    public void run() {
        runs += weight;
    }

    private int secret() {
        return weight * 7;
    }

    static String over(int x) { return "int"; }
    static String over(long x) { return "long"; }
    static String over(double x) { return "double"; }
    static String over(Object x) { return "Object"; }
    static String over(String x) { return "String"; }
    static String over(char x) { return "char"; }
    static String over(Integer x) { return "Integer"; }

    InvokeKinds self() {
        return this;
    }

    public static void main(String[] args) {
        InvokeKinds a = new InvokeKinds(3);
        InvokeKinds b = new InvokeKinds(5);
        System.out.println(a.compareTo(b) + " " + b.compareTo(a) + " " + a.compareTo(a));
        Comparable<InvokeKinds> cmp = a;
        System.out.println(cmp.compareTo(b));
        Runnable r = b;
        r.run();
        a.run();
        System.out.println("runs " + runs + " secret " + a.secret() + " " + a.self().self().secret());
        byte by = 1;
        short sh = 2;
        System.out.println(over(1) + " " + over(1L) + " " + over(1f) + " " + over('c') + " " + over("s") + " "
                + over(by) + " " + over(sh) + " " + over((Object) "s") + " " + over(Integer.valueOf(1)) + " " + over(new int[0]));
        List<String> list = new ArrayList<String>();
        list.add("x");
        list.add("yy");
        Collection<String> coll = list;
        System.out.println(coll.size() + " " + list.get(1).length() + " " + coll.contains("x") + " " + list.indexOf("yy"));
        Object o = a;
        System.out.println(o.equals(a) + " " + (o.hashCode() == a.hashCode()) + " " + o.getClass().getSimpleName());
        StringBuilder sb = new StringBuilder();
        sb.append("chain").reverse().append(1).insert(0, '>').setLength(4);
        System.out.println(sb);
        System.out.println(Math.max(Math.min(10, 4), Math.abs(-3)) + " " + String.valueOf(3.5).length() + " " + Integer.toBinaryString(10));
        Thread t = new Thread(a);
        t.run();
        System.out.println("runs " + runs);
    }
}
