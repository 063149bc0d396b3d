// Locals assigned on every path before use, without an initializer: the
// decompiled declarations must keep javac's definite-assignment rules happy.
public class DefiniteAssignment {
    static String pick(int n) {
        String s;
        if (n < 0) {
            s = "negative";
        } else if (n == 0) {
            s = "zero";
        } else {
            s = "positive";
        }
        return s;
    }

    static int viaSwitch(char c) {
        int v;
        switch (c) {
        case 'a':
            v = 1;
            break;
        case 'b':
            v = 2;
            break;
        default:
            v = -1;
        }
        return v * 10;
    }

    static long viaTry(String text) {
        long parsed;
        try {
            parsed = Long.parseLong(text);
        } catch (NumberFormatException e) {
            parsed = -1L;
        }
        return parsed;
    }

    static double viaLoop(int limit) {
        double last;
        int i = 0;
        do {
            last = Math.sqrt(i);
            i++;
        } while (i < limit);
        return last;
    }

    static final int K;
    static {
        int tmp = 0;
        for (int i = 0; i < 5; i++)
            tmp += i;
        K = tmp;
    }

    public static void main(String[] args) {
        System.out.println(pick(-3) + " " + pick(0) + " " + pick(8));
        System.out.println(viaSwitch('a') + " " + viaSwitch('b') + " " + viaSwitch('z'));
        System.out.println(viaTry("1234567890123") + " " + viaTry("x"));
        System.out.println(viaLoop(1) + " " + viaLoop(10));
        System.out.println("K " + K);
        int x;
        int y;
        boolean flag = K > 5;
        if (flag) {
            x = 1;
            y = 2;
        } else {
            x = 3;
            y = 4;
        }
        System.out.println(x + y);
        final String label;
        label = flag ? "yes" : "no";
        System.out.println(label);
        int total = 0;
        int j;
        for (j = 0; j < 7; j += 2)
            total += j;
        System.out.println(total + " " + j);
        int found;
        int k = 0;
        while (true) {
            if (k * k > 30) {
                found = k;
                break;
            }
            k++;
        }
        System.out.println("found " + found);
        boolean ok = args.length == 0 && (x = 5) > 0;
        System.out.println(ok + " " + x);
    }
}
