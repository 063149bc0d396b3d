import java.util.concurrent.TimeUnit;

// switch on an enum of the JDK (TimeUnit), with fall-through and default.
public class EnumSwitch {
    static String shortName(TimeUnit u) {
        switch (u) {
        case NANOSECONDS:
            return "ns";
        case MICROSECONDS:
            return "us";
        case MILLISECONDS:
            return "ms";
        case SECONDS:
            return "s";
        default:
            return u.name().toLowerCase();
        }
    }

    static int rank(TimeUnit u) {
        int r = 0;
        switch (u) {
        case DAYS:
            r += 100;
        case HOURS:
            r += 10;
        case MINUTES:
            r += 1;
            break;
        case SECONDS:
            r = -1;
            break;
        }
        return r;
    }

    public static void main(String[] args) {
        TimeUnit[] all = TimeUnit.values();
        for (int i = 0; i < all.length; i++) {
            TimeUnit u = all[i];
            System.out.println(u + " " + shortName(u) + " " + rank(u) + " " + u.toMillis(3));
        }
        TimeUnit u = TimeUnit.valueOf("HOURS");
        switch (u) {
        case HOURS:
            System.out.println("hours: " + u.toMinutes(2));
            break;
        default:
            System.out.println("other");
        }
    }
}
