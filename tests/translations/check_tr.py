#!/usr/bin/env python3
"""Fails when a text a user reads is handed to a widget as a bare string literal instead of
through tr(): such a text would stay English in every translation.
   check_tr.py SRC_DIR
A line may opt out with a comment naming why, e.g. `// not translated: a key` (codes, key
names, texts that are data rather than captions)."""
import pathlib
import re
import sys

CALLS = re.compile(r'\b(setText|setWindowTitle|addAction|setToolTip|setStatusTip|setPlaceholderText|'
                   r'showMessage|setTitle|setLabelText|setInformativeText|'
                   r'QMessageBox::(?:warning|information|question|critical|about)|'
                   r'new\s+QAction|QAction|setHorizontalHeaderLabels|setHeaderData|'
                   r'QFileDialog::get\w+|QFileDialog\s+\w+|QProgressDialog\s+\w+|'
                   r'ErrorDialog(?:\s+\w+)?|RunPicker|ConfirmDelete)\s*\(|'
                   # Column captions of the lists: `headers = {...}`, `m_header({...})`.
                   r'\bQStringList\s+\w*[Hh]eaders?\s*=\s*\{|\bm_header\(\s*\{')
BARE = re.compile(r'^(?:QStringLiteral|QLatin1String|QString|QString::fromUtf8|QString::fromLatin1)?'
                  r'\s*\(?\s*"((?:[^"\\]|\\.)*)"')
OPT_OUT = 'not translated'


def arguments(text, start):
    """Top-level arguments of the call whose '(' is at text[start-1]."""
    depth, args, current, i = 0, [], [], start
    in_str = False
    while i < len(text):
        c = text[i]
        if in_str:
            current.append(c)
            if c == '\\':
                current.append(text[i + 1]); i += 1
            elif c == '"':
                in_str = False
        elif c == '"':
            in_str = True; current.append(c)
        elif c in '([{':
            depth += 1; current.append(c)
        elif c in ')]}':
            if depth == 0:
                args.append(''.join(current).strip())
                return args
            depth -= 1; current.append(c)
        elif c == ',' and depth == 0:
            args.append(''.join(current).strip()); current = []
        else:
            current.append(c)
        i += 1
    return args


def main():
    root = pathlib.Path(sys.argv[1])
    faults = []
    for path in sorted(root.rglob('*.cpp')):
        text = path.read_text(encoding='utf-8')
        lines = text.split('\n')
        for match in CALLS.finditer(text):
            line_no = text.count('\n', 0, match.start()) + 1
            if OPT_OUT in lines[line_no - 1] or (line_no > 1 and OPT_OUT in lines[line_no - 2]):
                continue
            pending = arguments(text, match.end())
            while pending:
                arg = pending.pop()
                if arg.startswith('{'):  # a list of captions
                    pending += arguments(arg, 1)
                    continue
                bare = BARE.match(arg)
                # Only literals with words in them are captions; "%1", "-" or "" are not.
                # Keys such as "err_msg_4" or "DB_SERVER" name things, they are not read.
                key = bare and re.fullmatch(r'\w+', bare.group(1)) and '_' in bare.group(1)
                if bare and not key and re.search('[A-Za-z]{2}', bare.group(1)):
                    faults.append(f'{path.relative_to(root)}:{line_no}: "{bare.group(1)}" bypasses tr()')
    for fault in faults:
        print(fault)
    print(f'{len(faults)} user-visible literal(s) outside tr()')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
