import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;

/**
 * Runs many generated programs in one JVM, since starting a JVM costs far more
 * than running one of them. Arguments: a time limit in milliseconds, then class
 * names. For each program it prints a header line
 * "@@@ name status length", then that many bytes of the program's output.
 * status is "ok", "throws:ExceptionClass" or "error:reason"; a program that
 * overruns its time gets "timeout" and ends the run, since its thread cannot
 * be stopped safely: the caller starts again after it.
 */
public class DiffFuzzHarness {
    public static void main(String[] args) throws Exception {
        PrintStream real = System.out;
        long limit = Long.parseLong(args[0]);
        for (int i = 1; i < args.length; i++) {
            final String name = args[i];
            ByteArrayOutputStream buffer = new ByteArrayOutputStream();
            PrintStream captured = new PrintStream(buffer, true, "UTF-8");
            final String[] status = {"ok"};
            Thread worker = new Thread(new Runnable() {
                public void run() {
                    try {
                        Method main = Class.forName(name).getMethod("main", String[].class);
                        main.invoke(null, (Object) new String[0]);
                    } catch (InvocationTargetException e) {
                        status[0] = "throws:" + e.getCause().getClass().getName();
                    } catch (Throwable e) {
                        status[0] = "error:" + e.getClass().getName();
                    }
                }
            });
            worker.setDaemon(true);
            System.setOut(captured);
            worker.start();
            worker.join(limit);
            captured.flush();
            System.setOut(real);
            if (worker.isAlive()) {
                real.print("@@@ " + name + " timeout 0\n");
                real.flush();
                System.exit(3);
            }
            byte[] out = buffer.toByteArray();
            real.print("@@@ " + name + " " + status[0] + " " + out.length + "\n");
            real.write(out, 0, out.length);
            real.flush();
        }
    }
}
