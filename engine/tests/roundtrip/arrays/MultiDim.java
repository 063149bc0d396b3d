// Multi-dimensional arrays: rectangular, partial (new int[3][]), jagged,
// and arrays of every primitive type.
public class MultiDim {
    static String dump(int[][] m) {
        StringBuilder sb = new StringBuilder();
        for (int i = 0; i < m.length; i++) {
            sb.append('[');
            if (m[i] != null) {
                for (int j = 0; j < m[i].length; j++) {
                    if (j > 0)
                        sb.append(',');
                    sb.append(m[i][j]);
                }
            } else {
                sb.append("null");
            }
            sb.append(']');
        }
        return sb.toString();
    }

    public static void main(String[] args) {
        int[][] grid = new int[3][4];
        for (int i = 0; i < grid.length; i++)
            for (int j = 0; j < grid[i].length; j++)
                grid[i][j] = i * j - j;
        System.out.println(dump(grid));
        int[][] partial = new int[4][];
        for (int i = 0; i < partial.length; i += 2)
            partial[i] = new int[i + 1];
        partial[2][2] = 9;
        System.out.println(dump(partial));
        long[][][] cube = new long[2][3][2];
        cube[1][2][1] = Long.MAX_VALUE;
        cube[0][1][0] = -1;
        long sum = 0;
        for (long[][] plane : cube)
            for (long[] line : plane)
                for (long v : line)
                    sum += v;
        System.out.println("cube " + sum + " " + cube[1].length + " " + cube[1][2].length);
        double[][] tri = new double[4][];
        for (int i = 0; i < tri.length; i++) {
            tri[i] = new double[i + 1];
            tri[i][0] = tri[i][i] = 1;
            for (int j = 1; j < i; j++)
                tri[i][j] = tri[i - 1][j - 1] + tri[i - 1][j];
        }
        System.out.println(tri[3][1] + " " + tri[3][3] + " " + tri[2].length);
        String[][] names = new String[2][2];
        names[0][1] = "b";
        System.out.println(names[0][0] + names[0][1] + names[1].length);
        char[][] board = new char[3][3];
        for (char[] row : board)
            java.util.Arrays.fill(row, '.');
        board[1][1] = 'X';
        board[0][2] = 'O';
        for (char[] row : board)
            System.out.println(new String(row));
        boolean[][] seen = new boolean[2][5];
        seen[1][4] = true;
        byte[][] raw = new byte[2][];
        raw[0] = new byte[] { 1, -1 };
        short[] shorts = new short[2];
        float[][] fs = new float[1][1];
        fs[0][0] = 2.5f;
        Object[][] objs = new Integer[1][1];
        System.out.println(seen[1][4] + " " + seen[0][4] + " " + raw[0][1] + " " + raw[1] + " " + shorts[1] + " " + fs[0][0]
                + " " + objs.getClass().getName());
        try {
            objs[0][0] = "not an integer";
        } catch (ArrayStoreException e) {
            System.out.println("array store");
        }
        int[][][] deep = new int[2][][];
        deep[0] = new int[1][];
        deep[0][0] = new int[] { 7 };
        System.out.println(deep[0][0][0] + " " + deep[1]);
    }
}
