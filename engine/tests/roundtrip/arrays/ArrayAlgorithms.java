// Array-heavy code: element updates, swaps, index arithmetic, copying.
public class ArrayAlgorithms {
    static void reverse(int[] a) {
        for (int i = 0, j = a.length - 1; i < j; i++, j--) {
            int t = a[i];
            a[i] = a[j];
            a[j] = t;
        }
    }

    static int[] prefixSums(int[] a) {
        int[] p = new int[a.length + 1];
        for (int i = 0; i < a.length; i++)
            p[i + 1] = p[i] + a[i];
        return p;
    }

    static void insertionSort(long[] a) {
        for (int i = 1; i < a.length; i++) {
            long key = a[i];
            int j = i - 1;
            while (j >= 0 && a[j] > key) {
                a[j + 1] = a[j];
                j--;
            }
            a[j + 1] = key;
        }
    }

    static int[] histogram(String s) {
        int[] counts = new int[26];
        for (int i = 0; i < s.length(); i++) {
            char c = s.charAt(i);
            if (c >= 'a' && c <= 'z')
                counts[c - 'a']++;
        }
        return counts;
    }

    static String join(int[] a) {
        StringBuilder sb = new StringBuilder();
        for (int i = 0; i < a.length; i++)
            sb.append(i == 0 ? "" : " ").append(a[i]);
        return sb.toString();
    }

    public static void main(String[] args) {
        int[] a = { 1, 2, 3, 4, 5, 6, 7 };
        reverse(a);
        System.out.println(join(a));
        System.out.println(join(prefixSums(a)));
        long[] ls = { 9, -3, 7, 7, 0, Long.MIN_VALUE, 100 };
        insertionSort(ls);
        StringBuilder sb = new StringBuilder();
        for (long l : ls)
            sb.append(l).append(';');
        System.out.println(sb);
        int[] h = histogram("the quick brown fox jumps over the lazy dog");
        System.out.println(join(h));
        int[] dst = new int[10];
        System.arraycopy(a, 2, dst, 5, 4);
        System.out.println(join(dst));
        int[] ring = new int[5];
        int head = 0;
        for (int i = 0; i < 12; i++) {
            ring[head] = i * i;
            head = (head + 1) % ring.length;
        }
        System.out.println(join(ring) + " head=" + head);
        int[] idx = { 2, 0, 1 };
        String[] vals = { "x", "y", "z" };
        String[] out = new String[3];
        for (int i = 0; i < idx.length; i++)
            out[idx[i]] = vals[i];
        System.out.println(out[0] + out[1] + out[2]);
        Object[] objs = vals;
        System.out.println(objs.length + " " + (objs instanceof String[]) + " " + objs[1]);
    }
}
