// Labelled break and continue across nested loops and a labelled block.
public class LabelledLoops {
    static String findPair(int[] xs, int sum) {
        String result = "none";
        outer:
        for (int i = 0; i < xs.length; i++) {
            for (int j = i + 1; j < xs.length; j++) {
                if (xs[i] + xs[j] == sum) {
                    result = xs[i] + "+" + xs[j];
                    break outer;
                }
            }
        }
        return result;
    }

    static int countRowsWithoutZero(int[][] grid) {
        int rows = 0;
        rowLoop:
        for (int r = 0; r < grid.length; r++) {
            for (int c = 0; c < grid[r].length; c++) {
                if (grid[r][c] == 0)
                    continue rowLoop;
            }
            rows++;
        }
        return rows;
    }

    public static void main(String[] args) {
        int[] xs = { 4, 9, 2, 7, 11, 5 };
        System.out.println(findPair(xs, 13) + " " + findPair(xs, 16) + " " + findPair(xs, 100));
        int[][] grid = { { 1, 2, 3 }, { 4, 0, 6 }, { 7, 8, 9 }, { 0, 1, 1 }, { 5, 5 } };
        System.out.println("rows " + countRowsWithoutZero(grid));
        int total = 0;
        a:
        for (int i = 0; i < 5; i++) {
            b:
            for (int j = 0; j < 5; j++) {
                for (int k = 0; k < 5; k++) {
                    if (k > j)
                        continue b;
                    if (j > i)
                        continue a;
                    if (i + j + k > 9)
                        break a;
                    total += i * 100 + j * 10 + k;
                }
            }
        }
        System.out.println("total " + total);
        int steps = 0;
        scan:
        while (steps < 100) {
            steps++;
            int m = steps;
            do {
                if (m == 42)
                    break scan;
                m += 7;
            } while (m < 50);
        }
        System.out.println("steps " + steps);
        int v = 17;
        block:
        {
            if (v % 2 == 0) {
                System.out.println("even");
                break block;
            }
            if (v > 10) {
                System.out.println("odd and big");
                break block;
            }
            System.out.println("odd and small");
        }
        System.out.println("after block");
    }
}
