// Infinite loops left by break or return: while (true) and for (;;).
public class InfiniteLoops {
    static int firstSquareAbove(int limit) {
        int i = 0;
        while (true) {
            int sq = i * i;
            if (sq > limit) {
                return sq;
            }
            i++;
        }
    }

    static int search(int[] data, int target) {
        int lo = 0, hi = data.length - 1;
        for (;;) {
            if (lo > hi)
                return -(lo + 1);
            int mid = (lo + hi) >>> 1;
            if (data[mid] < target)
                lo = mid + 1;
            else if (data[mid] > target)
                hi = mid - 1;
            else
                return mid;
        }
    }

    public static void main(String[] args) {
        System.out.println(firstSquareAbove(50) + " " + firstSquareAbove(0) + " " + firstSquareAbove(1000));
        int[] sorted = { 1, 3, 5, 7, 9, 11, 13 };
        System.out.println(search(sorted, 7) + " " + search(sorted, 1) + " " + search(sorted, 8) + " " + search(sorted, 100));
        int n = 1;
        while (true) {
            n *= 3;
            if (n > 1000)
                break;
        }
        System.out.println("n " + n);
        int count = 0;
        int x = 37;
        for (;;) {
            count++;
            if (x == 1)
                break;
            if (x % 2 == 0) {
                x /= 2;
                continue;
            }
            x = 3 * x + 1;
        }
        System.out.println("count " + count);
        StringBuilder sb = new StringBuilder();
        int i = 0;
        while (true) {
            i++;
            if (i % 2 == 0)
                continue;
            sb.append(i);
            if (sb.length() >= 6)
                break;
            sb.append('-');
        }
        System.out.println(sb);
        int found = -1;
        int row = 0;
        while (true) {
            boolean hit = false;
            for (int col = 0; col < 5; col++) {
                if (row * col == 12) {
                    hit = true;
                    found = row * 10 + col;
                    break;
                }
            }
            if (hit || row > 10)
                break;
            row++;
        }
        System.out.println("found " + found);
    }
}
