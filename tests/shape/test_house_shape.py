#!/usr/bin/env python3
"""The shape check counts what it says it counts, and its limits hold."""
import importlib.machinery
import os
import sys
import types
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPT = os.path.join(HERE, "..", "..", "scripts", "house-shape.py")
# The script's file name has a dash: it is loaded by path under a module name.
loader = importlib.machinery.SourceFileLoader("house_shape", SCRIPT)
shape = types.ModuleType(loader.name)
shape.__file__ = SCRIPT
sys.modules[loader.name] = shape
loader.exec_module(shape)


def counts(source, macros_from=""):
    macros = shape.macro_definitions([macros_from, source])
    return dict(shape.classes_in(source, macros))


class MemberFunctionCount(unittest.TestCase):
    ROWS = [
        ("constructors, destructor, methods, static and virtual functions",
         "class A { public: A(); explicit A(int X = 0); ~A() override; void F(); static int G(); virtual void H() = 0; };",
         {"A": 6}),
        ("signals count, properties and the Qt markers do not",
         "class A : public QObject { Q_OBJECT Q_PROPERTY(int X READ X WRITE SetX NOTIFY XChanged)\n"
         "Q_CLASSINFO(\"default:X\", \"1\") Q_SIGNALS: void XChanged(int Value); public: int X() const; };",
         {"A": 2}),
        ("data members of function type do not count",
         "struct A { std::function<void(TObject* Sender, int X)> OnX; void (*Raw)(int); };",
         {"A": 0}),
        ("initialisers of data members do not count",
         "struct A { TSize Size{-1, -1}; QString Comment = DefaultComment(); std::array<int, 3> Z{}; };",
         {"A": 0}),
        ("an inline body with nested braces counts once",
         "struct A { int F() const { if (X) { return 1; } for (;;) { break; } return 0; } int X = 0; };",
         {"A": 1}),
        ("deleted functions do not count, defaulted ones do",
         "struct A { A(const A&) = delete; A& operator=(const A&) = delete; bool operator==(const A&) const = default; };",
         {"A": 1}),
        ("operators count",
         "struct A { bool operator<(const A& O) const; A& operator+=(int); explicit operator bool() const { return true; } };",
         {"A": 3}),
        ("member templates count",
         "struct A { template <class F> void Guarded(F&& Action) { try { Action(); } catch (...) {} } };",
         {"A": 1}),
        ("a constructor with an initialiser list counts once",
         "struct A { A(int X) : B{X}, C(X + 1) { D = {1, 2}; } int B, C; std::vector<int> D; };",
         {"A": 1}),
        ("nested classes are counted apart",
         "class A { struct B { void F(); void G(); }; enum K { k1, k2 }; void H(); B Inner; };",
         {"A": 1, "A::B": 2}),
        ("comments and texts do not count",
         "struct A {\n  // void NotThere();\n  /* int AlsoNot(); */\n  QString S = \"F(x); void G();\";\n  void Real();\n};",
         {"A": 1}),
        ("access labels with signals and slots are no functions",
         "class A { public Q_SLOTS: void S(); private slots: void T(); signals: void U(); protected: int V; };",
         {"A": 3}),
        ("a qualified definition in a source file is the nested class",
         "struct A::B { int X = 0; Integer Row(double V) const; };",
         {"A::B": 1}),
    ]

    def test_rows(self):
        for name, source, expected in self.ROWS:
            with self.subTest(name):
                found = counts(source)
                for cls, n in expected.items():
                    self.assertEqual(found.get(cls), n, f"{cls} in: {source}")

    def test_functions_a_macro_declares_are_counted(self):
        macro = ("#define COLOR_PROPERTY(Name) \\\n  Q_PROPERTY(QColor Name READ Name##AsQColor) \\\n"
                 "public: \\\n  QColor Name##AsQColor() const { return {}; } \\\n"
                 "  void Set##Name##AsQColor(const QColor& V) {} \\\n  Q_SIGNALS: \\\n  void Name##Changed(const QColor& V); \\\nprivate:\n")
        found = counts("class A : public QObject { Q_OBJECT COLOR_PROPERTY(Grid) COLOR_PROPERTY(Bk) public: void F(); };",
                       macro)
        self.assertEqual(found["A"], 7)


class Limits(unittest.TestCase):
    def tree(self, files, allowance=None):
        temp = tempfile.TemporaryDirectory()
        self.addCleanup(temp.cleanup)
        root = temp.name
        for path, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                f.write(text)
        allow = None
        if allowance is not None:
            allow = os.path.join(root, "allow")
            with open(allow, "w", encoding="utf-8") as f:
                f.write(allowance)
        return shape.faults(root, allow)

    @staticmethod
    def big_class(n):
        return "class Big {\n" + "".join(f"  void F{i}();\n" for i in range(n)) + "};\n"

    def test_rows(self):
        long_file = "int x;\n" * (shape.MAX_LINES + 1)
        full_file = "int x;\n" * shape.MAX_LINES
        rows = [
            ("a file at the limit passes", {"host/A.cpp": full_file}, None, []),
            ("a file over the limit fails", {"host/A.cpp": long_file}, None, ["host/A.cpp"]),
            ("files outside the library are not checked", {"tests/A.cpp": long_file}, None, []),
            ("a class at the limit passes", {"host/A.h": self.big_class(shape.MAX_FUNCTIONS)}, None, []),
            ("a class over the limit fails", {"host/A.h": self.big_class(shape.MAX_FUNCTIONS + 1)}, None, ["Big"]),
            ("an allowed class may stay as it is", {"host/A.h": self.big_class(70)}, "class Big 70\n", []),
            ("an allowed class may not grow", {"host/A.h": self.big_class(71)}, "class Big 70\n", ["more than the 70"]),
            ("an allowance within the limit must go", {"host/A.h": self.big_class(10)}, "class Big 70\n",
             ["remove it"]),
            ("an allowed file may not grow", {"host/A.cpp": long_file + "int y;\n"},
             f"file host/A.cpp {shape.MAX_LINES + 1}\n", ["more than the"]),
            ("an allowance for what is gone must go", {"host/A.h": "int x;\n"}, "class Gone 99\n", ["not in the tree"]),
        ]
        for name, files, allowance, expected in rows:
            with self.subTest(name):
                found = self.tree(files, allowance)
                self.assertEqual(len(found), len(expected), found)
                for fault, text in zip(found, expected):
                    self.assertIn(text, fault)


if __name__ == "__main__":
    unittest.main()
