// synchronized methods next to synchronized blocks inside loops and try.
public class SyncMethods {
    private int count;
    private static long total;
    private final StringBuilder log = new StringBuilder();

    synchronized void add(int n) {
        count += n;
        log.append(n).append(' ');
    }

    static synchronized void addTotal(long v) {
        total += v;
    }

    synchronized int get() {
        return count;
    }

    String drain() {
        String s;
        synchronized (log) {
            s = log.toString().trim();
            log.setLength(0);
        }
        return s;
    }

    int guarded(String[] parts) {
        int bad = 0;
        for (int i = 0; i < parts.length; i++) {
            synchronized (this) {
                try {
                    count += Integer.parseInt(parts[i]);
                } catch (NumberFormatException e) {
                    bad++;
                    continue;
                }
                log.append('+');
            }
        }
        return bad;
    }

    public static void main(String[] args) {
        SyncMethods m = new SyncMethods();
        for (int i = 1; i <= 4; i++) {
            m.add(i * i);
            addTotal(i * 1000000000L);
        }
        System.out.println(m.get() + " " + total + " [" + m.drain() + "]");
        int bad = m.guarded(new String[] { "5", "x", "7", "", "1" });
        System.out.println("bad " + bad + " count " + m.get() + " log " + m.drain() + " holds " + Thread.holdsLock(m));
    }
}
