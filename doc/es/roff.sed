# The Spanish pages are not hyphenated: the formatter knows only English
# hyphenation, which cuts Spanish words in the wrong places.
/^\.TH /a\
.nh
