// Pre- and post-increment as statements and as values, on every kind of
// variable; the value a postfix expression yields must be the old one.
public class IncrementDecrement {
    static int sCount;
    int count;
    long big;
    double weight = 1.5;

    int next() {
        return count++;
    }

    int nextStatic() {
        return ++sCount;
    }

    public static void main(String[] args) {
        int i = 0;
        i++;
        ++i;
        int j = i++;
        int k = ++i;
        int m = i-- - --i;
        System.out.println("i=" + i + " j=" + j + " k=" + k + " m=" + m);

        long l = 5;
        long old = l++;
        long dec = --l;
        System.out.println("l=" + l + " old=" + old + " dec=" + dec);

        char c = 'a';
        c++;
        char before = c++;
        System.out.println("c=" + c + " before=" + before);

        byte b = 127;
        b++;
        short s = -32768;
        s--;
        System.out.println("b=" + b + " s=" + s);

        double d = 0.5;
        d++;
        float f = 2f;
        float g = f--;
        System.out.println("d=" + d + " f=" + f + " g=" + g);

        IncrementDecrement o = new IncrementDecrement();
        int a1 = o.next();
        int a2 = o.next();
        o.count += o.next();
        System.out.println("next " + a1 + " " + a2 + " count=" + o.count);
        o.big++;
        long was = o.big++;
        o.weight--;
        double w = ++o.weight;
        System.out.println("big=" + o.big + " was=" + was + " w=" + w);
        System.out.println("static " + o.nextStatic() + " " + sCount++ + " " + sCount);

        int[] arr = { 10, 20, 30 };
        int p = 0;
        arr[p++]++;
        int got = arr[p]--;
        int pre = ++arr[++p];
        System.out.println(arr[0] + " " + arr[1] + " " + arr[2] + " got=" + got + " pre=" + pre + " p=" + p);

        int n = 3;
        int x = n++ + n++ * --n;
        System.out.println("x=" + x + " n=" + n);
        for (int q = 10; q > 0; q -= 3) {
            System.out.print(q-- + ";");
        }
        System.out.println();
    }
}
