mill
