set Dlg_Ret1=
set Dlg_Ret2=\dir\sub
set Dlg_Ret3=name
set Dlg_Ret4=ext
set Dlg_Ret5=\dir\sub\name.ext
