NAME Nul.old
y
