import java.io.IOException;

// Lambdas and method references whose functional interface declares
// checked exceptions, generic ones among them: the body calls what throws
// them, and the caller sees them thrown through.
public class CheckedLambdas {
    interface Failing<T, E extends Throwable> {
        T get() throws E;
    }

    interface Reading {
        int read(String s) throws IOException;
    }

    interface Parsing extends Reading {
    }

    interface Pausing {
        void pause(long millis, int nanos) throws InterruptedException;
    }

    static int length(String s) throws IOException {
        if (s.isEmpty()) throw new IOException("empty");
        return s.length();
    }

    static <T, E extends Throwable> T call(Failing<T, E> f) throws E {
        return f.get();
    }

    static String describe(Reading r, String s) {
        try {
            return "read " + r.read(s);
        } catch (IOException e) {
            return "IOException " + e.getMessage();
        }
    }

    public static void main(String[] args) throws Throwable {
        System.out.println(describe(CheckedLambdas::length, "four"));
        System.out.println(describe(CheckedLambdas::length, ""));
        Parsing p = s -> length(s) * 2;
        System.out.println(describe(p, "abc"));
        System.out.println(describe(p, ""));
        System.out.println(call(() -> length("xy")));
        try {
            call(() -> {
                throw new IllegalStateException("from lambda");
            });
        } catch (IllegalStateException e) {
            System.out.println("caught " + e.getMessage());
        }
        try {
            System.out.println(call(() -> length("")));
        } catch (IOException e) {
            System.out.println("caught IOException " + e.getMessage());
        }
        Pausing pause = Thread::sleep;
        pause.pause(0, 1);
        System.out.println("paused");
    }
}
