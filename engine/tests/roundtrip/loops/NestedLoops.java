// Nested loops of mixed kinds with breaks at different depths.
public class NestedLoops {
    static void printTriangle(int n) {
        for (int i = 1; i <= n; i++) {
            StringBuilder sb = new StringBuilder();
            int j = 0;
            while (j < n - i) {
                sb.append(' ');
                j++;
            }
            for (int k = 0; k < 2 * i - 1; k++)
                sb.append(k % 2 == 0 ? '*' : '.');
            System.out.println(sb);
        }
    }

    static int[][] multiply(int[][] a, int[][] b) {
        int n = a.length, m = b[0].length, p = b.length;
        int[][] c = new int[n][m];
        for (int i = 0; i < n; i++)
            for (int j = 0; j < m; j++) {
                int s = 0;
                for (int k = 0; k < p; k++)
                    s += a[i][k] * b[k][j];
                c[i][j] = s;
            }
        return c;
    }

    static void bubbleSort(int[] xs) {
        boolean swapped;
        int end = xs.length;
        do {
            swapped = false;
            for (int i = 1; i < end; i++) {
                if (xs[i - 1] > xs[i]) {
                    int t = xs[i];
                    xs[i] = xs[i - 1];
                    xs[i - 1] = t;
                    swapped = true;
                }
            }
            end--;
        } while (swapped);
    }

    public static void main(String[] args) {
        printTriangle(4);
        int[][] a = { { 1, 2 }, { 3, 4 }, { 5, 6 } };
        int[][] b = { { 7, 8, 9 }, { 10, 11, 12 } };
        int[][] c = multiply(a, b);
        for (int[] row : c) {
            String sep = "";
            for (int v : row) {
                System.out.print(sep + v);
                sep = " ";
            }
            System.out.println();
        }
        int[] xs = { 5, 3, 9, 1, 1, 8, -2, 7 };
        bubbleSort(xs);
        for (int i = 0; i < xs.length; i++)
            System.out.print(xs[i] + (i == xs.length - 1 ? "\n" : ","));
        int triples = 0;
        for (int x = 1; x < 30; x++)
            for (int y = x; y < 30; y++) {
                int zz = x * x + y * y;
                int z = (int) Math.sqrt(zz);
                if (z >= 30)
                    break;
                if (z * z == zz)
                    triples++;
            }
        System.out.println("triples " + triples);
    }
}
