# The pseudo-language: every text longer and full of accented letters, its
# placeholders, mnemonics and shortcut keys as they are.  Fed one line of
# a text at a time by msgfilter.

# The shortcut after a tab ("\tCtrl+P") is set aside as it is.
h
s/^[^	]*//
x
s/	.*//

# The letters of printf and strftime conversions ("%s", "%-d", "%zu") are
# set aside as tokens that the steps below leave alone.
s/\(%[-0-9$.hljzt]*\)a/\1\x010/g
s/\(%[-0-9$.hljzt]*\)e/\1\x011/g
s/\(%[-0-9$.hljzt]*\)i/\1\x012/g
s/\(%[-0-9$.hljzt]*\)o/\1\x013/g
s/\(%[-0-9$.hljzt]*\)u/\1\x014/g
s/\(%[-0-9$.hljzt]*\)A/\1\x015/g
s/\(%[-0-9$.hljzt]*\)E/\1\x016/g
s/\(%[-0-9$.hljzt]*\)I/\1\x017/g
s/\(%[-0-9$.hljzt]*\)O/\1\x018/g
s/\(%[-0-9$.hljzt]*\)U/\1\x019/g

# Each vowel becomes two accented ones; a line of text is bracketed.
s/a/áà/g
s/e/éèê/g
s/i/íï/g
s/o/óô/g
s/u/úü/g
s/A/ÁÀ/g
s/E/ÉÈÊ/g
s/I/ÍÏ/g
s/O/ÓÔ/g
s/U/ÚÜ/g
s/^..*$/[&]/

s/\x010/a/g
s/\x011/e/g
s/\x012/i/g
s/\x013/o/g
s/\x014/u/g
s/\x015/A/g
s/\x016/E/g
s/\x017/I/g
s/\x018/O/g
s/\x019/U/g

# The shortcut back after the text.
G
s/\n//
