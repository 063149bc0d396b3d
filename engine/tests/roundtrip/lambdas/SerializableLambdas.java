// dialect: modern
import java.io.ByteArrayInputStream;
import java.io.ByteArrayOutputStream;
import java.io.ObjectInputStream;
import java.io.ObjectOutputStream;
import java.io.Serializable;
import java.util.function.Function;
import java.util.function.Supplier;

// Serializable lambdas and references survive a trip through serialization:
// the interface itself serializable, or made so by an intersection cast.
public class SerializableLambdas {
    interface Op extends Serializable {
        int apply(int x);
    }

    @SuppressWarnings("unchecked")
    static <T> T copy(T value) throws Exception {
        ByteArrayOutputStream bytes = new ByteArrayOutputStream();
        try (ObjectOutputStream out = new ObjectOutputStream(bytes)) {
            out.writeObject(value);
        }
        try (ObjectInputStream in = new ObjectInputStream(new ByteArrayInputStream(bytes.toByteArray()))) {
            return (T) in.readObject();
        }
    }

    public static void main(String[] args) throws Exception {
        int k = 3;
        Op triple = x -> x * k;
        System.out.println(copy(triple).apply(5));
        Runnable hello = (Runnable & Serializable) () -> System.out.println("hello " + k);
        copy(hello).run();
        Function<String, Integer> len = (Function<String, Integer> & Serializable) String::length;
        System.out.println(copy(len).apply("seven"));
        Supplier<String> plain = () -> "plain";
        System.out.println(plain instanceof Serializable);
        System.out.println(hello instanceof Serializable);
    }
}
