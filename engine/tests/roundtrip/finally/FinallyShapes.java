// finally bodies with their own locals, loops, switches and jumps, finally
// inside catch and inside synchronized, and returns of every width.
public class FinallyShapes {
    static StringBuilder log = new StringBuilder();
    static final Object LOCK = new Object();

    static int ownLocals(int n) {
        int total = 0;
        try {
            if (n < 0)
                return -1;
            total = n * 3;
        } finally {
            int doubled = total * 2;
            String tag = "<" + doubled + ">";
            log.append(tag);
        }
        return total;
    }

    static int loopInFinally(int n) {
        int acc = 0;
        try {
            acc = n;
            if (n > 5)
                return acc;
        } finally {
            for (int i = 0; i < 3; i++)
                log.append(i);
            int k = n;
            while (k > 0)
                k -= 2;
            log.append(k);
        }
        return acc + 1;
    }

    static String switchInFinally(int mode) {
        String result = "none";
        try {
            result = "m" + mode;
            if (mode == 2)
                throw new IllegalStateException("two");
        } catch (IllegalStateException e) {
            result = "caught";
        } finally {
            switch (mode) {
            case 0: log.append("zero"); break;
            case 1: log.append("one");
            case 2: log.append("two"); break;
            default: log.append("many");
            }
        }
        return result;
    }

    @SuppressWarnings("finally")
    static int jumpsInFinally() {
        int count = 0;
        for (int i = 0; i < 10; i++) {
            try {
                count += i;
                if (i == 7)
                    return count;
            } finally {
                if (i % 2 == 0)
                    continue;
                if (i == 5)
                    break;
                count++;
            }
        }
        return -count;
    }

    static void voidReturn(int n) {
        try {
            if (n == 0)
                return;
            log.append("body" + n);
        } finally {
            log.append("/v");
        }
        log.append("after");
    }

    static long wide(long x, double d) {
        try {
            if (x > 100)
                return x * 2;
            return (long) (d * x);
        } finally {
            log.append("w");
        }
    }

    static double wideDouble(double d) {
        try {
            return d / 2;
        } finally {
            log.append("d");
        }
    }

    static String finallyInCatch(String s) {
        try {
            return "n" + Integer.parseInt(s);
        } catch (NumberFormatException e) {
            try {
                log.append("bad");
                if (s.isEmpty())
                    return "empty";
            } finally {
                log.append("!");
            }
            return "bad";
        }
    }

    static int withLock(int n) {
        synchronized (LOCK) {
            try {
                if (n == 1)
                    return 10;
                n *= 3;
            } finally {
                log.append("s");
            }
        }
        try {
            synchronized (LOCK) {
                if (n > 5)
                    return n;
            }
        } finally {
            log.append("t");
        }
        return -n;
    }

    static int tryInFinally(int n) {
        try {
            n += 1;
        } finally {
            try {
                log.append(10 / n);
            } catch (ArithmeticException e) {
                log.append("div");
            } finally {
                log.append("#");
            }
        }
        return n;
    }

    static String multiCatch(Object o) {
        try {
            return ((String) o).trim();
        } catch (ClassCastException | NullPointerException e) {
            return e.getClass().getSimpleName();
        } finally {
            log.append("m");
        }
    }

    static boolean flag(int n) {
        try {
            return n > 2;
        } finally {
            log.append("b");
        }
    }

    public static void main(String[] args) {
        System.out.println(ownLocals(-3) + " " + ownLocals(4) + " " + log);
        log.setLength(0);
        System.out.println(loopInFinally(3) + " " + loopInFinally(9) + " " + log);
        log.setLength(0);
        for (int m = 0; m < 4; m++)
            System.out.println(switchInFinally(m) + " " + log);
        log.setLength(0);
        System.out.println(jumpsInFinally());
        voidReturn(0);
        voidReturn(2);
        System.out.println(log);
        log.setLength(0);
        System.out.println(wide(200, 0.5) + " " + wide(10, 2.5) + " " + wideDouble(3) + " " + log);
        log.setLength(0);
        System.out.println(finallyInCatch("7") + finallyInCatch("x") + finallyInCatch("") + " " + log);
        log.setLength(0);
        System.out.println(withLock(1) + " " + withLock(2) + " " + withLock(0) + " " + log);
        log.setLength(0);
        System.out.println(tryInFinally(1) + " " + tryInFinally(-1) + " " + log);
        log.setLength(0);
        System.out.println(multiCatch(" a ") + multiCatch(3) + multiCatch(null) + " " + log);
        System.out.println(flag(1) + " " + flag(5) + " " + log);
    }
}
