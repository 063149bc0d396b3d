// dialect: modern
import java.lang.annotation.ElementType;
import java.lang.annotation.Retention;
import java.lang.annotation.RetentionPolicy;
import java.lang.annotation.Target;
import java.lang.reflect.Method;
import java.util.Arrays;

// Annotation types with defaults of every kind of element, used on classes,
// fields, methods and parameters, and read back by reflection.
public class AnnotationTypes {
    enum Color { RED, GREEN }

    @Retention(RetentionPolicy.RUNTIME)
    @interface Tag {
        String value();
    }

    @Retention(RetentionPolicy.RUNTIME)
    @Target({ElementType.TYPE, ElementType.METHOD, ElementType.FIELD, ElementType.PARAMETER})
    @interface Info {
        int number() default 42;
        long big() default 1L << 40;
        double ratio() default 0.5;
        char letter() default 'x';
        boolean flag() default true;
        String text() default "it's \"quoted\"\n";
        Color color() default Color.GREEN;
        Class<?> type() default String[].class;
        int[] numbers() default {1, 2, 3};
        String[] empty() default {};
        Tag tag() default @Tag("inner");
    }

    @Retention(RetentionPolicy.CLASS)
    @interface Invisible {
        int value() default 1;
    }

    @Info(number = 7, color = Color.RED, tag = @Tag("outer"))
    @Invisible
    static class Target1 {
        @Info(text = "field")
        int field;

        @Info(numbers = {9}, type = int.class)
        @Deprecated
        void method(@Tag("p") int p, @Invisible(3) String q) {
        }
    }

    static String show(Info info) {
        return info.number() + " " + info.big() + " " + info.ratio() + " " + info.letter() + " " + info.flag() + " "
                + info.text().trim() + " " + info.color() + " " + info.type().getSimpleName() + " "
                + Arrays.toString(info.numbers()) + " " + info.empty().length + " " + info.tag().value();
    }

    public static void main(String[] args) throws Exception {
        System.out.println(show(Target1.class.getAnnotation(Info.class)));
        System.out.println(show(Target1.class.getDeclaredField("field").getAnnotation(Info.class)));
        Method m = Target1.class.getDeclaredMethod("method", int.class, String.class);
        System.out.println(show(m.getAnnotation(Info.class)));
        System.out.println(m.isAnnotationPresent(Deprecated.class));
        System.out.println(((Tag) m.getParameterAnnotations()[0][0]).value());
        System.out.println(m.getParameterAnnotations()[1].length);
        System.out.println(Target1.class.getAnnotations().length);
    }
}
