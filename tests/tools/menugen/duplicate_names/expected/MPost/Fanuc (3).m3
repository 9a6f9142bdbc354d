NAME Fanuc.
third
