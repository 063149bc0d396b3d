// Assignments used as values: chained assignment, stores into fields and
// array elements whose value is used again (dup_x1, dup2_x1, dup_x2).
public class DupValues {
    int f;
    long lf;
    static int sf;
    static double sd;
    int[] arr = new int[4];
    long[] larr = new long[3];

    int setAndGet(int v) {
        return f = v;
    }

    long setLong(long v) {
        return lf = v * 2;
    }

    public static void main(String[] args) {
        DupValues d = new DupValues();
        int a, b, c;
        a = b = c = 7;
        System.out.println(a + b + c);
        System.out.println(d.setAndGet(5) + " " + d.f + " " + d.setLong(21) + " " + d.lf);
        int x = d.f = 9;
        long y = d.lf = 100L;
        System.out.println(x + " " + y + " " + d.f + " " + d.lf);
        sf = sf + 1;
        int z = sf = 11;
        double w = sd = 2.5;
        System.out.println(z + " " + w + " " + sf + " " + sd);
        int i = 0;
        int v = d.arr[i++] = 42;
        long lv = d.larr[1] = 1L << 33;
        System.out.println(v + " " + lv + " " + d.arr[0] + " " + d.larr[1] + " i=" + i);
        int old = d.f++;
        int nw = ++d.f;
        long lold = d.lf--;
        System.out.println(old + " " + nw + " " + d.f + " " + lold + " " + d.lf);
        int e = d.arr[1] += 5;
        long le = d.larr[2] -= 9;
        System.out.println(e + " " + le + " " + d.arr[1] + " " + d.larr[2]);
        int sOld = sf++;
        int sNew = --sf;
        double dOld = sd++;
        System.out.println(sOld + " " + sNew + " " + dOld + " " + sd);
        int[] chain = new int[3];
        chain[0] = chain[1] = chain[2] = -1;
        System.out.println(chain[0] + chain[1] + chain[2]);
        StringBuilder sb;
        (sb = new StringBuilder()).append("built");
        System.out.println(sb);
        String s;
        int n = 0;
        while ((s = n < 3 ? "s" + n : null) != null) {
            System.out.print(s);
            n++;
        }
        System.out.println();
        long counter = 0;
        long first = counter++;
        long second = counter += 10;
        System.out.println(first + " " + second + " " + counter);
        Object lock = d;
        int hash = (lock = "other").hashCode();
        System.out.println(hash + " " + lock);
    }
}
