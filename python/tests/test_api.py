"""The module as a user meets it: the names it exports, the type stubs that
describe them, the docstrings help(glyphbox) shows, and the examples in them."""

import ast
import doctest
import inspect
import pathlib
import re

import pytest

import glyphbox

STUB = pathlib.Path(glyphbox.__file__).with_name("__init__.pyi")


def stub_tree():
    return ast.parse(STUB.read_text())


def stub_functions(body):
    return {node.name: node for node in body if isinstance(node, ast.FunctionDef)}


def stub_names():
    names = set()
    for node in stub_tree().body:
        if isinstance(node, (ast.FunctionDef, ast.ClassDef)):
            names.add(node.name)
        elif isinstance(node, ast.AnnAssign) and isinstance(node.target, ast.Name):
            names.add(node.target.id)
    return {n for n in names if not n.startswith("_")}


def parameters(node):
    """The parameter names of a stub's def, with the marks of * and **."""
    a = node.args
    names = [p.arg for p in a.posonlyargs + a.args]
    if a.vararg:
        names.append("*")
    elif a.kwonlyargs:
        names.append("*")
    names += [p.arg for p in a.kwonlyargs]
    return [n for n in names if n != "self"]


def documented_parameters(function):
    """The parameter names of a compiled function, from the signature line
    pybind11 writes at the top of its docstring (or __text_signature__)."""
    try:
        return _from_signature(inspect.signature(function))
    except (ValueError, TypeError):
        pass
    line = function.__doc__.splitlines()[0]
    inside = line[line.index("(") + 1: line.rindex(")")]
    names = []
    for part in re.split(r",\s*(?![^\[]*\])", inside):
        name = part.split(":")[0].split("=")[0].strip()
        if name.startswith("*"):
            name = "*"
        if name and name != "self":
            names.append(name)
    return names


def _from_signature(signature):
    names = []
    for p in signature.parameters.values():
        if p.kind is p.VAR_POSITIONAL:
            names.append("*")
        elif p.kind is p.KEYWORD_ONLY and "*" not in names:
            names += ["*", p.name]
        else:
            names.append(p.name)
    return names


def test_all_names_the_stub_declares():
    assert set(glyphbox.__all__) == stub_names()
    for name in glyphbox.__all__:
        assert hasattr(glyphbox, name), name


@pytest.mark.parametrize("name", ["day", "find", "count", "add", "diff", "from_jdn",
                                  "from_day_count", "values_from_jdn", "inscription"])
def test_stub_functions_take_the_modules_parameters(name):
    stub = stub_functions(stub_tree().body)[name]
    assert parameters(stub) == documented_parameters(getattr(glyphbox, name))


@pytest.mark.parametrize("cls", ["Day", "Correlation", "Distance", "Search", "Values", "Clue",
                                 "WorksheetLine"])
def test_stub_classes_have_the_modules_members(cls):
    node = next(n for n in stub_tree().body if isinstance(n, ast.ClassDef) and n.name == cls)
    declared = {n.name for n in node.body if isinstance(n, ast.FunctionDef)}
    declared |= {n.target.id for n in node.body if isinstance(n, ast.AnnAssign)}
    real = getattr(glyphbox, cls)
    for member in declared:
        assert hasattr(real, member), f"{cls}.{member} is in the stub only"
    public = {m for m in dir(real) if not m.startswith("_") and m not in ("count", "index")}
    assert public <= declared, f"{cls}: {public - declared} missing from the stub"
    if cls == "Day":
        for method in ("from_jdn", "from_day_count", "__init__"):
            assert parameters(stub_functions(node.body)[method]) == \
                documented_parameters(getattr(real, method))


def test_every_public_name_is_documented():
    assert "Glyphbox" in glyphbox.__doc__ and "from_jdn" in glyphbox.__doc__
    for name in glyphbox.__all__:
        obj = getattr(glyphbox, name)
        if name == "presets":
            continue
        assert obj.__doc__ and len(obj.__doc__) > 40, name
        if inspect.isclass(obj):
            for member, value in vars(obj).items():
                if not member.startswith("_") and not inspect.isclass(value):
                    assert getattr(obj, member).__doc__, f"{name}.{member}"
    text = pydoc_text()
    for phrase in ("class Day", "values_from_jdn(jdn, correlation='gmt')", "find(pattern",
                   "The Maya values of an array of Julian Day Numbers"):
        assert phrase in text


def pydoc_text():
    import pydoc
    return pydoc.render_doc(glyphbox, renderer=pydoc.plaintext)


def test_docstring_examples_run():
    failures, tried = doctest.testmod(glyphbox, extraglobs={"glyphbox": glyphbox},
                                      optionflags=doctest.ELLIPSIS)
    assert tried >= 3 and failures == 0
    for name in ("day", "values_from_jdn"):
        finder = doctest.DocTestFinder()
        for test in finder.find(getattr(glyphbox, name), name, globs={"glyphbox": glyphbox}):
            assert doctest.DocTestRunner().run(test).failed == 0


def test_the_readme_session_runs(tmp_path, monkeypatch):
    """The interactive example of the README, run as doctest runs it."""
    readme = pathlib.Path(__file__).resolve().parents[2] / "README.md"
    text = readme.read_text()
    start = text.index("```pycon\n") + len("```pycon\n")
    session = text[start:text.index("```", start)]
    monkeypatch.chdir(tmp_path)
    test = doctest.DocTestParser().get_doctest(session, {}, "README", str(readme), 0)
    runner = doctest.DocTestRunner(optionflags=doctest.ELLIPSIS | doctest.NORMALIZE_WHITESPACE)
    assert runner.run(test).failed == 0
    assert (tmp_path / "9.12.11.5.18.svg").read_text().startswith("<?xml")
