// synchronized blocks on this, on a lock object and on a class literal,
// with returns and exceptions leaving them.
public class SyncBlock {
    private final Object lock = new Object();
    private static int shared;
    private int value;

    int increment() {
        synchronized (this) {
            value++;
            return value;
        }
    }

    void addLocked(int n) {
        synchronized (lock) {
            if (n < 0)
                throw new IllegalArgumentException("negative");
            value += n;
        }
    }

    static int bumpShared() {
        synchronized (SyncBlock.class) {
            shared += 5;
            return shared;
        }
    }

    int nested() {
        synchronized (lock) {
            synchronized (this) {
                value *= 2;
            }
            return value;
        }
    }

    boolean holds() {
        synchronized (lock) {
            return Thread.holdsLock(lock) && !Thread.holdsLock(this);
        }
    }

    public static void main(String[] args) {
        SyncBlock s = new SyncBlock();
        System.out.println(s.increment() + " " + s.increment());
        s.addLocked(10);
        try {
            s.addLocked(-1);
        } catch (IllegalArgumentException e) {
            System.out.println("caught " + e.getMessage() + " " + Thread.holdsLock(s.lock));
        }
        System.out.println("value " + s.value + " nested " + s.nested());
        System.out.println(bumpShared() + " " + bumpShared() + " holds " + s.holds());
        int loops = 0;
        for (int i = 0; i < 5; i++) {
            synchronized (s) {
                if (i == 3)
                    break;
                loops++;
            }
        }
        System.out.println("loops " + loops + " free " + !Thread.holdsLock(s));
    }
}
