set Dlg_Ret1=C
set Dlg_Ret2=\dir\sub
set Dlg_Ret3=name
set Dlg_Ret4=ext
set Dlg_Ret5=C:\dir\sub\name.ext
