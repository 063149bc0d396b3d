// Boolean locals, fields, arrays and return values; boolean constants must
// not turn into ints.
public class BooleanValues {
    static boolean verbose = true;
    boolean ready;
    boolean[] flags = new boolean[4];

    boolean toggle() {
        ready = !ready;
        return ready;
    }

    static boolean parity(int v) {
        boolean even = true;
        while (v != 0) {
            if ((v & 1) == 1) {
                even = !even;
            }
            v >>>= 1;
        }
        return even;
    }

    static int count(boolean[] bs) {
        int n = 0;
        for (int i = 0; i < bs.length; i++)
            if (bs[i])
                n++;
        return n;
    }

    static boolean all(boolean a, boolean b, boolean c) {
        return a && b && c;
    }

    public static void main(String[] args) {
        BooleanValues bv = new BooleanValues();
        System.out.println(bv.ready + " " + bv.toggle() + " " + bv.toggle() + " " + bv.toggle());
        bv.flags[1] = true;
        bv.flags[3] = bv.flags[1] && verbose;
        bv.flags[0] = bv.flags[2] | bv.flags[3];
        System.out.println("flags " + count(bv.flags) + " " + bv.flags[0] + bv.flags[2]);
        for (int i = 0; i < 8; i++) {
            System.out.print(parity(i) ? "e" : "o");
        }
        System.out.println();
        boolean done = false;
        int steps = 0;
        while (!done) {
            steps++;
            done = steps * steps > 50;
        }
        System.out.println("steps " + steps + " done " + done);
        boolean x = false;
        boolean y = true;
        Boolean boxed = Boolean.valueOf(x ^ y);
        System.out.println("boxed " + boxed + " all " + all(x, y, true) + " " + all(y, y, y));
        boolean eq = (x == y) != (y == true);
        System.out.println("eq " + eq);
        verbose = false;
        if (verbose) {
            System.out.println("unreachable at runtime");
        } else {
            System.out.println("quiet");
        }
        boolean[] table = { true, false, true };
        System.out.println(table[0] + "," + table[1] + "," + table[2] + " " + table.length);
        System.out.println(Boolean.toString(!table[1]) + String.valueOf(false) + true);
    }
}
