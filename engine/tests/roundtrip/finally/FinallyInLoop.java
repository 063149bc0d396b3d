// finally inside loops with break and continue leaving the try.
public class FinallyInLoop {
    public static void main(String[] args) {
        StringBuilder sb = new StringBuilder();
        for (int i = 0; i < 6; i++) {
            try {
                if (i == 1)
                    continue;
                if (i == 4)
                    break;
                sb.append(i);
            } finally {
                sb.append('.');
            }
        }
        System.out.println(sb);
        int count = 0;
        int n = 0;
        while (n < 10) {
            try {
                n++;
                if (n % 3 == 0)
                    throw new RuntimeException("three");
                count += n;
            } catch (RuntimeException e) {
                count -= 100;
            } finally {
                count++;
            }
        }
        System.out.println("count " + count);
        int result = 0;
        outer:
        for (int i = 0; i < 3; i++) {
            for (int j = 0; j < 3; j++) {
                try {
                    if (i == 1 && j == 1)
                        continue outer;
                    if (i == 2 && j == 2)
                        break outer;
                    result += i * 10 + j;
                } finally {
                    result += 1000;
                }
            }
        }
        System.out.println("result " + result);
        int k = 0;
        do {
            try {
                k += 2;
            } finally {
                k--;
            }
        } while (k < 7);
        System.out.println("k " + k);
    }
}
