"""Finds the mutation sites of a C++ source file.

The file is cut into tokens first; comments, string literals and preprocessor
lines (includes among them) never become tokens, so nothing in them is
mutated. Each operator below looks at the tokens and proposes mutants: a
replacement of one span of the text, with a short description that names the
change ("'<' -> '<='", "statement removed").

The operators:
  relational   < <=, > >=, == != swapped (never a template's angle brackets)
  arithmetic   binary + -, * / swapped, and += -=, *= /=
  off by one   a "+ 1" or "- 1" removed; "+ 1" or "- 1" added to the left
               operand of a division (rounding); an integer constant of 2 or
               more moved by one
  constant     0 <-> 1, true <-> false, a character literal's neighbours
  logical      && <-> ||, the condition of an if or while negated
  removal      an expression statement, a break or continue, an else branch
"""

import re
from dataclasses import dataclass

PUNCTUATORS = sorted("""
>>= <<= <=> ->* ... :: -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= .*
{ } [ ] ( ) ; : , . ? ~ ! + - * / % ^ & | = < > #
""".split(), key=len, reverse=True)

KEYWORDS = set("""
alignas alignof asm auto bool break case catch char char8_t char16_t char32_t class
concept const consteval constexpr constinit const_cast continue co_await co_return
co_yield decltype default delete do double dynamic_cast else enum explicit export
extern float for friend goto if inline int long mutable namespace new noexcept
operator private protected public register reinterpret_cast requires return short
signed sizeof static static_assert static_cast struct switch template thread_local
throw try typedef typeid typename union unsigned using virtual void volatile
wchar_t while
""".split())
VALUE_WORDS = {"this", "true", "false", "nullptr"}
TYPE_WORDS = {"auto", "bool", "char", "char8_t", "char16_t", "char32_t", "double", "float",
              "int", "long", "short", "signed", "unsigned", "void", "wchar_t", "const",
              "uchar", "uint", "ushort", "qreal"}
# Statement openers that are not expressions.
NOT_EXPRESSION = KEYWORDS - {"this", "delete", "throw", "sizeof", "static_cast",
                             "const_cast", "reinterpret_cast", "dynamic_cast"}
INT_RE = re.compile(r"^(0[xX][0-9a-fA-F']+|0[bB][01']+|[0-9][0-9']*)([uUlLzZ]*)$")


@dataclass
class Token:
    kind: str    # "id", "num", "char", "punct"
    text: str
    start: int   # offset of the first character in the file's text
    end: int     # offset after the last character


@dataclass
class Mutant:
    path: str
    start: int
    end: int
    replacement: str
    operator: str      # one of the operator names above
    description: str   # "'<' -> '<='"
    line: int = 0      # 1-based line of start
    key: str = ""      # path, line text and description: see KeyFor


def tokenize(text):
    """The tokens of text, without comments, string literals and
    preprocessor lines."""
    tokens = []
    i, n = 0, len(text)
    line_start = True  # only blanks since the last newline
    while i < n:
        c = text[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if c == "#" and line_start:
            i = _skip_preprocessor(text, i)
            continue
        line_start = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            i = n if j < 0 else j
            continue
        if text.startswith("/*", i):
            j = text.find("*/", i + 2)
            i = n if j < 0 else j + 2
            continue
        m = re.compile(r"(u8|u|U|L)?R\"([^()\\ ]{0,16})\(").match(text, i)
        if m:  # raw string literal
            close = ")" + m.group(2) + '"'
            j = text.find(close, m.end())
            i = n if j < 0 else j + len(close)
            continue
        m = re.compile(r"(u8|u|U|L)?([\"'])").match(text, i)
        if m:
            j = _skip_quoted(text, m.end(), m.group(2))
            if m.group(2) == "'":
                tokens.append(Token("char", text[i:j], i, j))
            i = j
            continue
        m = re.compile(r"[A-Za-z_][A-Za-z0-9_]*").match(text, i)
        if m:
            tokens.append(Token("id", m.group(0), i, m.end()))
            i = m.end()
            continue
        m = re.compile(r"\.?[0-9](?:[eEpP][+-]|[0-9A-Za-z_.']|)*").match(text, i)
        if m:
            tokens.append(Token("num", m.group(0), i, m.end()))
            i = m.end()
            continue
        for p in PUNCTUATORS:
            if text.startswith(p, i):
                tokens.append(Token("punct", p, i, i + len(p)))
                i += len(p)
                break
        else:
            i += 1  # a character C++ does not use outside literals
    return tokens


def _skip_preprocessor(text, i):
    while True:
        j = text.find("\n", i)
        if j < 0:
            return len(text)
        # A comment opened on a directive line runs on past the newline.
        k = text.find("/*", i, j)
        if k >= 0 and "//" not in text[i:k]:
            end = text.find("*/", k + 2)
            if end < 0:
                return len(text)
            if end > j:
                i = end + 2
                continue
        if text[i:j].rstrip("\r").endswith("\\"):
            i = j + 1
            continue
        return j


def _skip_quoted(text, i, quote):
    n = len(text)
    while i < n and text[i] != quote and text[i] != "\n":
        i += 2 if text[i] == "\\" else 1
    return min(i + 1, n)


class Sites:
    """Scans the tokens of one file and collects its mutants."""

    def __init__(self, path, text):
        self.path = path
        self.text = text
        self.t = tokenize(text)
        self.match = self._match_brackets()
        self.template = self._template_brackets()
        self.tables = self._table_spans()
        self.enclosing = self._enclosing_brackets()
        self.mutants = []

    # -- the token structure ------------------------------------------------

    def _match_brackets(self):
        match, stack = {}, []
        pairs = {")": "(", "]": "[", "}": "{"}
        for i, tok in enumerate(self.t):
            if tok.kind != "punct":
                continue
            if tok.text in "([{":
                stack.append(i)
            elif tok.text in pairs:
                while stack and self.t[stack[-1]].text != pairs[tok.text]:
                    stack.pop()
                if stack:
                    j = stack.pop()
                    match[i], match[j] = j, i
        return match

    def _template_brackets(self):
        """Indexes of < and > tokens that are template brackets."""
        marked = set()
        for i, tok in enumerate(self.t):
            if tok.text != "<" or i in marked or i == 0:
                continue
            prev = self.t[i - 1]
            if prev.text == "operator" or (i > 1 and self.t[i - 2].text == "operator"):
                marked.add(i)
                continue
            if prev.kind != "id" or prev.text in VALUE_WORDS:
                continue
            angle, inner, j = 1, [i], i + 1
            while j < len(self.t) and j < i + 80:
                s = self.t[j].text
                if s in ("(", "[", "{") and j in self.match:
                    j = self.match[j] + 1
                    continue
                if s in (";", "{", "}", ")", "]", "&&", "||", "?", "=="):
                    break
                if s == "<" and self.t[j - 1].kind == "id":
                    angle += 1
                    inner.append(j)
                elif s in (">", ">>"):
                    angle -= len(s)
                    inner.append(j)
                    if angle <= 0:
                        marked.update(inner)
                        break
                j += 1
        return marked

    def _table_spans(self):
        """Brace lists of many entries (lookup tables): their constants are
        data, not logic, and are left alone."""
        spans = []
        for i, tok in enumerate(self.t):
            if tok.text != "{" or i not in self.match:
                continue
            j, end, commas = i + 1, self.match[i], 0
            while j < end:
                s = self.t[j].text
                if s in ("(", "[", "{") and j in self.match:
                    j = self.match[j]
                elif s == ";":
                    break
                elif s == ",":
                    commas += 1
                j += 1
            else:
                if commas >= 8:
                    spans.append((i, end))
        return spans

    def in_table(self, i):
        return any(a < i < b for a, b in self.tables)

    def operand_end(self, i):
        """Whether token i can end an operand (so that an operator after it is binary)."""
        if i < 0:
            return False
        tok = self.t[i]
        if tok.kind == "id":
            return tok.text not in KEYWORDS or tok.text in VALUE_WORDS
        if tok.kind in ("num", "char"):
            return True
        if tok.text == ")":
            # A cast's closing parenthesis "(int)" is not an operand.
            j = self.match.get(i)
            return not (j is not None and j + 2 == i and self.t[j + 1].text in TYPE_WORDS)
        return tok.text == "]"

    def operand_start(self, i):
        if i >= len(self.t):
            return False
        tok = self.t[i]
        if tok.kind in ("num", "char"):
            return True
        if tok.kind == "id":
            return tok.text not in KEYWORDS or tok.text in VALUE_WORDS or tok.text.endswith("_cast") \
                or tok.text == "sizeof"
        return tok.text in ("(", "!", "~", "-", "+", "::", "*", "&")

    def type_like(self, i):
        tok = self.t[i]
        return tok.kind == "id" and (tok.text in TYPE_WORDS or tok.text[:1].isupper()
                                     or tok.text.endswith("_t"))

    def binary(self, i):
        return self.operand_end(i - 1) and self.operand_start(i + 1)

    # -- collecting ---------------------------------------------------------

    def add(self, start, end, replacement, operator, description):
        self.mutants.append(Mutant(self.path, start, end, replacement, operator, description))

    def swap(self, i, new, operator):
        tok = self.t[i]
        quoted = (lambda x: x) if tok.kind == "char" else (lambda x: f"'{x}'")
        self.add(tok.start, tok.end, new, operator, f"{quoted(tok.text)} -> {quoted(new)}")

    def step(self, i):
        """Which way a constant moves by one: against what swapping the
        comparison beside it does, so the two mutants differ (x < 10 becomes
        x <= 10 and x < 9; x <= 10 becomes x < 10 and x <= 11); +1 elsewhere."""
        before = self.t[i - 1].text if i > 0 else ""
        after = self.next_text(i)
        if before in ("<", ">=") and (i - 1) not in self.template or after in (">", "<="):
            return -1
        return 1

    def collect(self):
        for i, tok in enumerate(self.t):
            if tok.kind == "punct":
                self.punct(i, tok)
            elif tok.kind == "num":
                self.number(i, tok)
            elif tok.kind == "char":
                self.character(i, tok)
            elif tok.text in ("true", "false"):
                self.swap(i, "false" if tok.text == "true" else "true", "constant")
            elif tok.text in ("if", "while"):
                self.negate(i)
            elif tok.text in ("break", "continue") and self.next_text(i) == ";":
                self.add(tok.start, tok.end, "", "removal", f"'{tok.text}' removed")
            elif tok.text == "else":
                self.else_branch(i)
        self.statements()
        return self.finish()

    def next_text(self, i, k=1):
        return self.t[i + k].text if i + k < len(self.t) else ""

    def punct(self, i, tok):
        s = tok.text
        relational = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
        if s in relational and i not in self.template and self.binary(i):
            self.swap(i, relational[s], "relational")
        elif s in ("+", "-") and self.binary(i):
            self.swap(i, "-" if s == "+" else "+", "arithmetic")
            self.drop_one(i)
        elif s == "*" and self.binary(i) and not self.pointer_declaration(i):
            self.swap(i, "/", "arithmetic")
        elif s == "/" and self.binary(i):
            self.swap(i, "*", "arithmetic")
            self.round_division(i)
        elif s in ("+=", "-=", "*=", "/=") and self.operand_end(i - 1):
            self.swap(i, {"+=": "-=", "-=": "+=", "*=": "/=", "/=": "*="}[s], "arithmetic")
        elif s in ("&&", "||") and self.binary(i) and not self.rvalue_reference(i):
            self.swap(i, "||" if s == "&&" else "&&", "logical")

    def pointer_declaration(self, i):
        nxt = self.next_text(i)
        if nxt in (">", ",", ")", "&", "*", "const") or self.t[i - 1].text == "const":
            return True
        return self.type_like(i - 1) and self.t[i + 1].kind == "id" and \
            self.next_text(i, 2) in ("=", ";", ",", ")", "[", "{", "(")

    def rvalue_reference(self, i):
        return self.type_like(i - 1) and self.t[i + 1].kind == "id" and \
            self.next_text(i, 2) in ("=", ";", ",", ")", "{")

    def drop_one(self, i):
        """x + 1 -> x, when no operator binding tighter follows the 1."""
        one = self.t[i + 1]
        m = INT_RE.match(one.text)
        if not m or int(m.group(1).replace("'", ""), 0) != 1:
            return
        if self.next_text(i + 1) in ("*", "/", "%", "(", "[", ".", "->"):
            return
        self.add(self.t[i - 1].end, one.end, "", "off by one", f"'{self.t[i].text} 1' removed")

    def round_division(self, i):
        """(a - b) / 2 -> (a - b + 1) / 2 and (a - b - 1) / 2."""
        close = i - 1
        if self.t[close].text != ")" or close not in self.match:
            return
        open_ = self.match[close]
        if open_ + 1 == close or (open_ + 2 == close and self.t[open_ + 1].text in TYPE_WORDS):
            return  # an empty call or a cast
        inner_end = self.t[close - 1].end
        for sign in "+-":
            self.add(inner_end, inner_end, f" {sign} 1", "off by one",
                     f"'{sign} 1' added before '/'")

    def number(self, i, tok):
        m = INT_RE.match(tok.text)
        if not m or self.in_table(i) or self.in_template_argument(i):
            return
        digits, suffix = m.group(1).replace("'", ""), m.group(2)
        value = int(digits, 0) if not re.match(r"^0[0-7]+$", digits) else int(digits, 8)
        hexa = digits[:2].lower() == "0x"
        show = (lambda v: f"0x{v:X}{suffix}") if hexa else (lambda v: f"{v}{suffix}")
        if value in (0, 1):
            # "x + 1" -> "x + 0" is the same mutant as the "+ 1" removed.
            if not (value == 1 and self.t[i - 1].text in ("+", "-") and self.binary(i - 1)):
                self.swap(i, show(1 - value), "constant")
        else:
            self.swap(i, show(value + self.step(i)), "off by one")

    def in_template_argument(self, i):
        return i > 0 and self.t[i - 1].text == "<" and (i - 1) in self.template

    def character(self, i, tok):
        m = re.match(r"^(u8|u|U|L)?'(.*)'$", tok.text, re.S)
        if not m or self.in_table(i):
            return
        value = char_value(m.group(2))
        if value is None:
            return
        prefix = m.group(1) or ""
        v = value + self.step(i)
        if 0 <= v < 0x110000 and not (prefix == "" and v > 0x7F):
            self.swap(i, prefix + char_literal(v), "constant")

    def negate(self, i):
        j = i + 1
        if self.next_text(i) == "constexpr" or j >= len(self.t) or self.t[j].text != "(":
            return
        close = self.match.get(j)
        if close is None or close == j + 1:
            return
        first = j + 1
        for k in range(j + 1, close):  # if (init; cond)
            if self.t[k].text == ";":
                first = k + 1
        if self.declares(first):
            return
        self.mutants.append(Mutant(self.path, self.t[first].start, self.t[close - 1].end,
                                   "!(" + self.text[self.t[first].start:self.t[close - 1].end] + ")",
                                   "logical", "condition negated"))

    def declares(self, k):
        """Whether the tokens from k open a declaration ("auto x = ...", "int n = ...")."""
        first = self.t[k]
        if first.text in TYPE_WORDS or first.text in ("auto", "const", "constexpr", "static"):
            return True
        if first.kind != "id" or first.text in KEYWORDS:
            return False
        k = self.skip_name(k)
        nxt = self.t[k] if k < len(self.t) else None
        return nxt is not None and (nxt.kind == "id" or (
            nxt.text in ("*", "&", "&&") and k + 1 < len(self.t) and self.t[k + 1].kind == "id"
            and self.next_text(k + 1) in ("=", ";", ",", ")", "{", "(", ":", "[")))

    def skip_name(self, k):
        """The index after a qualified name with template arguments (a::b<c>::d)."""
        n = len(self.t)
        while k < n:
            if self.t[k].text == "::":
                k += 1
                continue
            if self.t[k].kind != "id":
                break
            k += 1
            if k < n and self.t[k].text == "<" and k in self.template:
                depth = 0
                while k < n:
                    s = self.t[k].text
                    if s == "<" and k in self.template:
                        depth += 1
                    elif s in (">", ">>") and k in self.template:
                        depth -= len(s)
                    k += 1
                    if depth <= 0:
                        break
            if k < n and self.t[k].text == "::":
                continue
            break
        return k

    def statement_end(self, i):
        """The index of the last token of the statement that starts at token i."""
        n = len(self.t)
        s = self.t[i].text
        if s == "{":
            return self.match.get(i, n - 1)
        if s in ("if", "for", "while", "switch") and i + 1 < n:
            k = i + 1
            if self.t[k].text == "constexpr":
                k += 1
            close = self.match.get(k, n - 2)
            end = self.statement_end(close + 1) if close + 1 < n else n - 1
            if s == "if" and end + 1 < n and self.t[end + 1].text == "else":
                end = self.statement_end(end + 2) if end + 2 < n else n - 1
            return end
        if s == "do":
            body = self.statement_end(i + 1)
            return self.statement_end(body + 1)  # while (...);
        if s == "try":
            end = self.statement_end(i + 1)
            while end + 1 < n and self.t[end + 1].text == "catch":
                end = self.statement_end(self.match.get(end + 2, end + 2) + 1)
            return end
        k = i
        while k < n and self.t[k].text != ";":
            if self.t[k].text in ("(", "[", "{") and k in self.match:
                k = self.match[k]
            k += 1
        return min(k, n - 1)

    def else_branch(self, i):
        if i + 1 >= len(self.t):
            return
        end = self.statement_end(i + 1)
        self.mutants.append(Mutant(self.path, self.t[i].start, self.t[end].end, "",
                                   "removal", "else removed"))

    def statements(self):
        """Expression statements with an effect (a call, an assignment, an
        increment), removed one at a time; the ; stays, so that a statement
        which is an if's whole body leaves an empty statement behind."""
        n = len(self.t)
        for i in range(n):
            if not self.statement_start(i):
                continue
            end = self.statement_end(i)
            if self.t[end].text != ";" or end == i:
                continue
            if self.expression_statement(i, end):
                self.mutants.append(Mutant(self.path, self.t[i].start, self.t[end - 1].end, "",
                                           "removal", "statement removed"))

    def statement_start(self, i):
        """Whether a statement of a block starts at token i."""
        if i == 0 or not self.in_block(i):
            return False
        prev = self.t[i - 1]
        if prev.text in (";", "{", "}", "else", "do"):
            return True
        if prev.text == ")" and (i - 1) in self.match:
            o = self.match[i - 1]
            return o > 0 and self.t[o - 1].text in ("if", "while", "for")
        return prev.text == ":" and (self.t[i - 2].text == "default" or self.is_case_label(i - 1))

    def is_case_label(self, colon):
        k = colon - 1
        while k >= 0 and self.t[k].text not in (";", "{", "}", "case"):
            k -= 1
        return k >= 0 and self.t[k].text == "case"

    def in_block(self, i):
        """Whether the innermost bracket around token i is a block of statements."""
        o = self.enclosing[i]
        return o is not None and self.t[o].text == "{" and self.brace_is_block(o)

    def _enclosing_brackets(self):
        enclosing, stack = [], []
        for i, tok in enumerate(self.t):
            if tok.text in (")", "]", "}") and i in self.match and stack and stack[-1] == self.match[i]:
                stack.pop()
            enclosing.append(stack[-1] if stack else None)
            if tok.text in ("(", "[", "{") and i in self.match:
                stack.append(i)
        return enclosing

    def brace_is_block(self, i):
        """Whether the { at i opens a block of statements (a function body, a
        compound statement, a lambda body) rather than a brace list or a class."""
        if i == 0:
            return False
        return self.t[i - 1].text in (")", "]", "{", "}", ";", ":", "else", "do", "try", "const",
                                      "noexcept", "override", "mutable")

    def expression_statement(self, i, end):
        first = self.t[i]
        if first.kind == "id" and first.text in NOT_EXPRESSION:
            return False
        if first.kind == "id" and re.match(r"^[A-Z][A-Z0-9_]+$", first.text):
            return False  # a macro such as Q_UNUSED(x)
        if first.kind == "punct" and first.text not in ("++", "--", "*", "(", "::"):
            return False
        if first.kind == "id" and self.declares(i):
            return False
        effect = False
        k = i
        while k < end:
            s = self.t[k].text
            if s in ("=", "+=", "-=", "*=", "/=", "%=", "&=", "|=", "^=", "<<=", ">>=", "++", "--"):
                effect = True
            elif s == "(" and k in self.match:
                if k > i and (self.t[k - 1].kind == "id" or self.t[k - 1].text in (")", ">")):
                    effect = True
                k = self.match[k]
            elif s in ("[", "{") and k in self.match:
                k = self.match[k]
            k += 1
        return effect

    # -- keys -----------------------------------------------------------------

    def finish(self):
        line_starts = [0] + [m.end() for m in re.finditer("\n", self.text)]
        lines = self.text.split("\n")
        seen = {}
        self.mutants.sort(key=lambda m: (m.start, m.end, m.operator, m.description))
        out = []
        for m in self.mutants:
            m.line = _line_of(line_starts, m.start)
            line_text = " ".join(lines[m.line - 1].split())
            base = f"{self.path}: {line_text}  =>  {m.description}"
            seen[base] = seen.get(base, 0) + 1
            m.key = base if seen[base] == 1 else f"{base} #{seen[base]}"
            out.append(m)
        return out


def _line_of(line_starts, offset):
    lo, hi = 0, len(line_starts) - 1
    while lo < hi:
        mid = (lo + hi + 1) // 2
        if line_starts[mid] <= offset:
            lo = mid
        else:
            hi = mid - 1
    return lo + 1


ESCAPES = {"n": 10, "t": 9, "r": 13, "0": 0, "\\": 92, "'": 39, '"': 34, "a": 7, "b": 8,
           "f": 12, "v": 11, "?": 63}


def char_value(body):
    if len(body) == 1:
        return ord(body)
    if body.startswith("\\"):
        rest = body[1:]
        if rest in ESCAPES:
            return ESCAPES[rest]
        if rest[:1] == "x" and re.match(r"^[0-9a-fA-F]+$", rest[1:]):
            return int(rest[1:], 16)
        if rest[:1] == "u" and len(rest) == 5:
            return int(rest[1:], 16)
        if re.match(r"^[0-7]{1,3}$", rest):
            return int(rest, 8)
    return None


def char_literal(v):
    if v == 39:
        return "'\\''"
    if v == 92:
        return "'\\\\'"
    if 32 <= v < 127:
        return f"'{chr(v)}'"
    if v < 0x100:
        return f"'\\x{v:02x}'"
    if v < 0x10000:
        return f"'\\u{v:04x}'"
    return f"'\\U{v:08x}'"


def find_mutants(path, text):
    """All mutants of the file at path (a path relative to the tree's root) whose text is given."""
    return Sites(path, text).collect()


def apply(text, mutant):
    return text[:mutant.start] + mutant.replacement + text[mutant.end:]
