// Fields named like the classes the code calls through: in an expression the
// field's name wins, so the class is reached by its qualified name.
import java.util.UUID;

public class FieldsNamedLikeTypes {
    static final String UUID = "field";
    static Integer Integer = 3;
    String Math = "m";

    static class Holder {
        static int Character = 9;

        int digit(char c) {
            return java.lang.Character.digit(c, 16) + Character;
        }
    }

    int work(String text) {
        UUID id = java.util.UUID.nameUUIDFromBytes(text.getBytes());
        int n = java.lang.Integer.parseInt("12") + Integer.intValue();
        return (int) (id.getMostSignificantBits() & 0xff) + n + Math.length() + (int) java.lang.Math.abs(-4.0);
    }

    public static void main(String[] args) {
        System.out.println(UUID + " " + new FieldsNamedLikeTypes().work("seed") + " " + new Holder().digit('b'));
    }
}
