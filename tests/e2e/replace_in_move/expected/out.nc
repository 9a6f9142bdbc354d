XX1.
XX2.
XX3.
XX4.
XX5.
XX6.
XX7.
