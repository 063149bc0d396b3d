// Try bodies that cannot throw: javac gives them no protected range but
// still emits their catch and finally code, which no path reaches. The code
// after such a try may be unreachable too.
public class TryNothingThrows {
    static int x;
    static StringBuilder log = new StringBuilder();

    static void returns(int p) {
        try {
            if (!(false)) return;
        } catch (ArithmeticException e) {
            x++;
        } catch (IllegalStateException e) {
            x += 2;
        } finally {
        }
        x += 3;
    }

    static int returnsWithFinally(int p) {
        try {
            return p * 2;
        } catch (ArithmeticException e) {
            x++;
        } finally {
            x += 5;
        }
        return -1;
    }

    static void fallsThrough(int p) {
        int local = p;
        try {
            local += 4;
        } catch (RuntimeException e) {
            log.append("never");
        }
        log.append(local).append(' ');
    }

    static int inLoop(int n) {
        int sum = 0;
        for (int i = 0; i < n; i++) {
            try {
                if (i == 2) continue;
                if (i == 4) break;
                sum += i;
            } catch (IllegalStateException e) {
                sum -= 100;
            } finally {
                sum += 10;
            }
        }
        return sum;
    }

    public static void main(String[] args) {
        returns(1);
        log.append(returnsWithFinally(3)).append(' ');
        fallsThrough(5);
        log.append(inLoop(7)).append(' ').append(x);
        System.out.println(log);
    }
}
