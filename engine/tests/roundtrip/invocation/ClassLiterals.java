// Class literals of classes, interfaces, primitives, arrays and void, and
// their use in reflection calls.
public class ClassLiterals {
    static String describe(Class<?> c) {
        return c.getName() + (c.isPrimitive() ? " primitive" : "") + (c.isArray() ? " array" : "")
                + (c.isInterface() ? " interface" : "");
    }

    public static void main(String[] args) throws Exception {
        Class<?>[] classes = { String.class, Runnable.class, int.class, long.class, boolean.class, void.class,
                char.class, double.class, Integer.class, ClassLiterals.class, java.util.Map.class,
                Thread.State.class };
        for (Class<?> c : classes) {
            System.out.println(describe(c));
        }
        Object arr = new int[0][0];
        System.out.println(describe(arr.getClass()) + " " + describe(new String[0].getClass()));
        System.out.println(String.class == "x".getClass());
        System.out.println(Integer.TYPE == int.class);
        System.out.println(ClassLiterals.class.getMethod("main", String[].class).getName());
        System.out.println(Number.class.isAssignableFrom(Integer.class) + " " + Integer.class.isInstance(5));
        System.out.println(Object.class.getSuperclass() + " " + ClassLiterals.class.getSuperclass().getName());
        Class<?> c = ClassLiterals.class;
        int mods = c.getModifiers();
        System.out.println(java.lang.reflect.Modifier.isPublic(mods) + " " + c.getSimpleName());
        StringBuilder sb = new StringBuilder();
        Class<?> k = java.util.ArrayList.class;
        while (k != null) {
            sb.append(k.getSimpleName()).append(' ');
            k = k.getSuperclass();
        }
        System.out.println(sb.toString().trim());
    }
}
