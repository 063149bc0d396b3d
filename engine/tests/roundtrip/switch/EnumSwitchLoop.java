import java.math.RoundingMode;
import java.time.DayOfWeek;
import java.util.concurrent.Callable;

// Switches on enums of other files (the JDK's) inside loops, with
// fall-through, default, two enums in one class, nesting and a lambda.
public class EnumSwitchLoop {
    static int weight(DayOfWeek d) {
        int w = 0;
        for (int i = 0; i < 2; i++) {
            switch (d) {
            case SATURDAY:
                w += 100;
            case SUNDAY:
                w += 10;
                break;
            case MONDAY:
                continue;
            default:
                w++;
            }
            w *= 2;
        }
        return w;
    }

    static String mode(RoundingMode m, DayOfWeek d) {
        switch (m) {
        case UP:
        case CEILING:
            switch (d) {
            case FRIDAY:
                return "up-friday";
            default:
                return "up";
            }
        case DOWN:
            return "down";
        default:
            return "other " + m.ordinal();
        }
    }

    static int count(DayOfWeek[] days) {
        int weekend = 0;
        for (int i = 0; i < days.length; i++) {
            switch (days[i]) {
            case SATURDAY:
            case SUNDAY:
                weekend++;
                break;
            default:
                break;
            }
        }
        return weekend;
    }

    public static void main(String[] args) throws Exception {
        DayOfWeek[] days = DayOfWeek.values();
        for (int i = 0; i < days.length; i++) {
            System.out.println(days[i] + " " + weight(days[i]) + " " + mode(RoundingMode.values()[i % 8], days[i]));
        }
        System.out.println("weekend " + count(days));
        final RoundingMode m = RoundingMode.HALF_EVEN;
        Callable<String> c = () -> {
            switch (m) {
            case HALF_EVEN:
                return "banker";
            default:
                return "plain";
            }
        };
        System.out.println(c.call());
    }
}
